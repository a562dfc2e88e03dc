// What `lexvane-cli plot` hands to its drawing half. The drawing needs
// QtGui, whose libraries (and theirs: X11, fontconfig, harfbuzz, ...) take
// longer to load than most commands take to run; so it lives in a module of
// its own, lexvane-cli-plot.so, which the command loads when it draws and
// every other command never touches.
#pragma once

#include <string>

#include "concordance/concordance_plot.h"
#include "text/user_interface.h"

namespace lexvane::cli {

struct PlotPicture {
  const concordance::ConcordancePlot* plot = nullptr;
  std::string title;  // UTF-8
  int width = 900;
  double scale = 1;  // PNG pixels per picture pixel
  bool sizeScaled = false;
  bool figures = true;
  std::string png;  // where to write the PNG image ("" for none)
  std::string svg;  // where to write the SVG document ("" for none)
};

// The module's one entry: draws `picture` into its files. Returns false
// when a file could not be written (reported through `ui`).
using WritePlotFunction = bool (*)(const PlotPicture& picture, text::UserInterface& ui);
inline constexpr char kWritePlotSymbol[] = "lexvane_write_plot";
inline constexpr char kPlotModuleName[] = "lexvane-cli-plot.so";

}  // namespace lexvane::cli
