// ListFileCommands: the frame's New, Open, Save and Save as of list files and
// the close query. The engine's corpus::ListFileCommands does the work; this
// class gives it the two Qt file dialogs ("Open List File", "Save List File
// As"), shows the error of a failed read or write, and refreshes the tool bar
// label afterwards. Tests replace the file dialogs (setDialogs) and answer
// the prompts through GuiUserInterface.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QObject>
#include <QString>

#include "corpus/list_file_commands.h"

class QFileDialog;
class QWidget;

namespace lexvane::gui {

class TFormMain;
class Workspace;

// The two file dialogs; each returns the chosen path or nothing on Cancel.
struct ListFileChoosers {
  std::function<std::optional<QString>()> open;
  std::function<std::optional<QString>()> save;
};

class ListFileCommands : public QObject, private corpus::ListFileDialogs {
  Q_OBJECT

 public:
  ListFileCommands(Workspace& workspace, TFormMain* frame);

  // Replaces the file dialogs (tests).
  void setDialogs(ListFileChoosers dialogs) { dialogs_ = std::move(dialogs); }
  // The Qt file dialogs with the titles, filters and default extension "CFL".
  static std::unique_ptr<QFileDialog> MakeOpenDialog(QWidget* parent);
  static std::unique_ptr<QFileDialog> MakeSaveDialog(QWidget* parent);
  // Runs a dialog; the chosen path, or nothing when cancelled.
  static std::optional<QString> RunDialog(QFileDialog& dialog);

 public:  // commands; each shows its messages and refreshes the label
  // True when the current corpus may be dropped (saved, or the user said No).
  bool QuerySaveList();
  // True when the corpus was saved.
  bool SaveList();
  bool SaveListAs();
  // True when the corpus was reset; the caller then opens the editor.
  bool NewList();
  bool OpenList();
  // Opens `path` without asking first (the command line, a drop, a recent
  // list: the caller asks QuerySaveList where something may be unsaved).
  // True when the list was read.
  bool OpenListFile(const QString& path);

 Q_SIGNALS:
  // A list file was opened or saved under `path` (Open, Save, Save as and
  // OpenListFile; not the save that a close or an open asks for).
  void listFileUsed(const QString& path);

 private:
  std::optional<std::string> AskOpenPath() override;
  std::optional<std::string> AskSavePath() override;
  // Runs a command of the engine; a failure is shown and gives false.
  bool run(bool (corpus::ListFileCommands::*command)());
  // Runs the command; when it did its work, announces the list path.
  bool runAndAnnounce(bool (corpus::ListFileCommands::*command)());
  void showListInfo();

  Workspace& workspace_;
  TFormMain* frame_;
  ListFileChoosers dialogs_;
  corpus::ListFileCommands commands_;
};

}  // namespace lexvane::gui
