// ListFileCommands: the frame's New, Open, Save and Save as of list files and
// the close query, with the two file dialogs ("Open List File", "Save List
// File As") and the save prompt "Current list is not saved. Save it?". The
// engine's list-file operations do the work; this class supplies their
// dialogs and refreshes the tool bar label afterwards. Tests replace the file
// dialogs (setDialogs) and answer the prompts through GuiUserInterface.
#pragma once

#include <functional>
#include <optional>

#include <QObject>
#include <QString>

namespace lexvane::gui {

class TFormMain;
class Workspace;

// The two file dialogs; each returns the chosen path or nothing on Cancel.
struct ListFileDialogs {
  std::function<std::optional<QString>()> open;
  std::function<std::optional<QString>()> save;
};

class ListFileCommands : public QObject {
  Q_OBJECT

 public:
  ListFileCommands(Workspace& workspace, TFormMain* frame);

  // Replaces the file dialogs (tests).
  void setDialogs(ListFileDialogs dialogs) { dialogs_ = std::move(dialogs); }
  // The Qt file dialogs with the titles, filters and default extension "CFL".
  static std::optional<QString> RunOpenDialog(QWidget* parent);
  static std::optional<QString> RunSaveDialog(QWidget* parent);

 public:  // commands; each shows its messages and refreshes the label
  // True when the current corpus may be dropped (saved, or the user said No).
  bool QuerySaveList();
  // True when the corpus was saved.
  bool SaveList();
  void SaveListAs();
  // True when the corpus was reset; the caller then opens the editor.
  bool NewList();
  void OpenList();
  // Opens `path` without asking first (the command line).
  void OpenListFile(const QString& path);

 private:
  void showListInfo();

  Workspace& workspace_;
  TFormMain* frame_;
  ListFileDialogs dialogs_;
};

}  // namespace lexvane::gui
