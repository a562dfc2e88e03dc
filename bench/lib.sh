# Shared helpers of the benchmark scripts (sourced, not run).

# median_seconds RUNS COMMAND...: runs COMMAND (output discarded) RUNS times
# and prints the median wall time in seconds.
median_seconds() {
  local runs=$1; shift
  local times=() start end
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s.%N)
    "$@" > /dev/null 2>&1
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc -l)")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'
}

# median_times RUNS COMMAND...: "wall cpu" medians in seconds.
median_times() {
  local runs=$1; shift
  local walls=() cpus=() line
  for ((i = 0; i < runs; i++)); do
    line=$( { TIMEFORMAT='%R %U %S'; time "$@" > /dev/null 2>&1; } 2>&1 | tail -n 1)
    walls+=("$(awk '{print $1}' <<< "$line")")
    cpus+=("$(awk '{print $2 + $3}' <<< "$line")")
  done
  local wall cpu
  wall=$(printf '%s\n' "${walls[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}')
  cpu=$(printf '%s\n' "${cpus[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}')
  echo "$wall $cpu"
}

# ratio A B: A / B with two decimals.
ratio() { echo "scale=2; $1 / $2" | bc -l; }

# peak_kb COMMAND...: the peak resident memory of COMMAND in kB.
peak_kb() {
  /usr/bin/time -f '%M' "$@" 2>&1 > /dev/null | tail -n 1
}

# corpus_mb DIR: the size of the files in DIR in MB.
corpus_mb() { du -sm "$1" | cut -f1; }
