# bash completion of lexvane-cli.
#
# The commands, their options and the values an option allows come from the
# program's own "lexvane-cli --help" and "lexvane-cli COMMAND --help", so
# they follow the program as it grows. This file knows only which options
# name files, and of which kind: list files (.CTL, .CFL), word search files
# (.cws), any file (output, corpus files).

# Prints the option names of `lexvane-cli [COMMAND] --help`, one a line.
_lexvane_cli_options() {
    local prog=$1 command=$2
    "$prog" ${command:+"$command"} --help 2>/dev/null |
        sed -n 's/^  \(-[^ {]*\).*/\1/p' | tr ',' '\n'
}

# Prints the commands of `lexvane-cli --help`, one a line.
_lexvane_cli_commands() {
    "$1" --help 2>/dev/null |
        sed -n '/^Subcommands:/,/^$/s/^  \([a-z][a-z0-9-]*\).*/\1/p'
}

# The names and value type of OPTION in COMMAND's help, without the
# description: the help writes the description from column 30, after a
# blank, or on a line of its own when the names and type are longer.
_lexvane_cli_option_head() {
    local prog=$1 command=$2 option=$3 line head names name
    while IFS= read -r line; do
        [[ $line == "  -"* ]] || continue
        head=$line
        if ((${#line} > 30)) && [[ ${line:29:1} == " " && ${line:30:1} != " " ]]; then
            head=${line:0:30}
        fi
        head=${head#  }
        names=${head%% *}
        names=${names%%\{*}
        local IFS=,
        for name in $names; do
            if [[ $name == "$option" ]]; then
                printf '%s\n' "$head"
                return 0
            fi
        done
    done < <("$prog" "$command" --help 2>/dev/null)
    return 1
}

_lexvane_cli() {
    local cur prev words cword
    _init_completion -s || return

    local prog=${words[0]} command="" i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} != -* ]]; then
            command=${words[i]}
            break
        fi
    done

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$(_lexvane_cli_options "$prog")" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$(_lexvane_cli_commands "$prog")" -- "$cur"))
        fi
        return
    fi

    # The value of the option before the cursor.
    if [[ $prev == -* ]]; then
        local head
        if head=$(_lexvane_cli_option_head "$prog" "$command" "$prev"); then
            # An option that takes a value shows its type after its names
            # (TEXT, INT, ...); a flag shows none.
            if [[ $head =~ ^[^\ ]+\ +[A-Z] ]]; then
                case $prev in
                    -l | --list)
                        _filedir '@(ctl|cfl)'
                        ;;
                    -q | --query)
                        _filedir cws
                        ;;
                    -o | --output | --reference)
                        _filedir
                        ;;
                    *)
                        if [[ $head =~ :\{([^}]*)\} ]]; then
                            COMPREPLY=($(compgen -W "${BASH_REMATCH[1]//,/ }" -- "$cur"))
                        fi
                        ;;
                esac
                return
            fi
        fi
    fi

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_lexvane_cli_options "$prog" "$command")" -- "$cur"))
        return
    fi
    # Corpus files: plain text of any name.
    _filedir
} &&
    complete -F _lexvane_cli lexvane-cli
