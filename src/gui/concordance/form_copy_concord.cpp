#include "gui/concordance/form_copy_concord.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/base/text_codec.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/form_search_ind.h"

namespace lexvane::gui {

namespace {

constexpr int kHelpContext = 6;

template <typename W>
W* named(W* w, const char* name, const QString& accessible) {
  w->setObjectName(QLatin1String(name));
  w->setAccessibleName(QString(accessible).remove(QLatin1Char('&')));
  return w;
}

QSpinBox* numberField(QWidget* parent, const char* name, const QString& accessible) {
  auto* spin = named(new QSpinBox(parent), name, accessible);
  spin->setRange(0, 10);
  spin->setValue(1);
  return spin;
}

}  // namespace

TFormCopyConcord::TFormCopyConcord(HelpDesk& help, QWidget* parent) : QDialog(parent), help_(help) {
  setObjectName(QStringLiteral("FormCopyConcord"));
  setWindowTitle(QStringLiteral("Copy Options"));
  SetHelpContext(this, kHelpContext);
  SetModalBesideHelp(this);
  buildControls();
  CheckBoxSaveWithDelimitersClick();
}

void TFormCopyConcord::buildControls() {
  GroupBox1 = named(new QGroupBox(QStringLiteral("Convert to format:"), this), "GroupBox1",
                    QStringLiteral("Convert to format:"));
  auto radio = [this](const char* name, const QString& caption) {
    return named(new QRadioButton(caption, GroupBox1), name, caption);
  };
  RadioButtonToOnePara =
      radio("RadioButtonToOnePara", QStringLiteral("All sentences to one paragraph"));
  RadioButtonEachToPara =
      radio("RadioButtonEachToPara", QStringLiteral("Each sentence as one paragraph"));
  RadioButtonJustify =
      radio("RadioButtonJustify", QStringLiteral("Justify left and right part to"));
  RadioButtonEachToPara->setChecked(true);
  Edit1 = named(new QLineEdit(QStringLiteral("40"), GroupBox1), "Edit1",
                QStringLiteral("Width in characters"));
  Edit1->setMaximumWidth(48);
  Label1 = named(new QLabel(QStringLiteral("characters."), GroupBox1), "Label1",
                 QStringLiteral("characters."));
  auto* justifyRow = new QHBoxLayout;
  justifyRow->addWidget(RadioButtonJustify);
  justifyRow->addWidget(Edit1);
  justifyRow->addWidget(Label1);
  justifyRow->addStretch();
  auto* formats = new QVBoxLayout(GroupBox1);
  formats->addWidget(RadioButtonToOnePara);
  formats->addWidget(RadioButtonEachToPara);
  formats->addLayout(justifyRow);

  auto box = [this](const char* name, const QString& caption) {
    return named(new QCheckBox(caption, this), name, caption);
  };
  CheckBoxToFile = box("CheckBoxToFile", QStringLiteral("Save to a file (instead of Clipboard)"));
  CheckBoxIncludeSource = box("CheckBoxIncludeSource", QStringLiteral("Include source file name"));
  CheckBoxSelectedOnly = box("CheckBoxSelectedOnly", QStringLiteral("Copy selected rows only"));
  CheckBoxSelectedOnly->setChecked(true);
  CheckBoxSaveWithDelimiters =
      box("CheckBoxSaveWithDelimiters", QStringLiteral("Save with delimiters:"));
  EditLeftDelimiter = named(new QLineEdit(QStringLiteral("|"), this), "EditLeftDelimiter",
                            QStringLiteral("Left delimiter"));
  EditRightDelimiter = named(new QLineEdit(QStringLiteral("|"), this), "EditRightDelimiter",
                             QStringLiteral("Right delimiter"));
  for (QLineEdit* e : {EditLeftDelimiter, EditRightDelimiter}) {
    e->setMaxLength(1);
    e->setMaximumWidth(32);
  }
  CheckBoxDelimAround = box("CheckBoxDelimAround",
                            QStringLiteral("Delimiters also to M words left and N words right"));
  LabelM = named(new QLabel(QStringLiteral("M:"), this), "LabelM", QStringLiteral("M:"));
  SpinEditM = numberField(this, "SpinEditM", QStringLiteral("M"));
  LabelM->setBuddy(SpinEditM);
  LabelN = named(new QLabel(QStringLiteral("N:"), this), "LabelN", QStringLiteral("N:"));
  SpinEditN = numberField(this, "SpinEditN", QStringLiteral("N"));
  LabelN->setBuddy(SpinEditN);

  auto button = [this](const char* name, const QString& caption) {
    auto* b = named(new QPushButton(caption, this), name, caption);
    b->setAutoDefault(false);
    return b;
  };
  Button1 = button("Button1", QStringLiteral("OK"));
  Button1->setDefault(true);
  Button2 = button("Button2", QStringLiteral("Cancel"));
  ButtonHelp = button("ButtonHelp", QStringLiteral("&Help"));
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonHelp, &QPushButton::clicked, this, &TFormCopyConcord::ButtonHelpClick);
  // The rules follow every change of the boxes, by click, key or program.
  connect(CheckBoxSaveWithDelimiters, &QCheckBox::toggled, this,
          &TFormCopyConcord::CheckBoxSaveWithDelimitersClick);
  connect(CheckBoxDelimAround, &QCheckBox::toggled, this,
          &TFormCopyConcord::CheckBoxDelimAroundClick);

  auto* delimiters = new QHBoxLayout;
  delimiters->addWidget(CheckBoxSaveWithDelimiters);
  delimiters->addWidget(EditLeftDelimiter);
  delimiters->addWidget(EditRightDelimiter);
  delimiters->addStretch();
  auto* around = new QHBoxLayout;
  around->addSpacing(20);
  around->addWidget(LabelM);
  around->addWidget(SpinEditM);
  around->addSpacing(12);
  around->addWidget(LabelN);
  around->addWidget(SpinEditN);
  around->addStretch();

  auto* options = new QVBoxLayout;
  options->addWidget(GroupBox1);
  options->addWidget(CheckBoxToFile);
  options->addWidget(CheckBoxIncludeSource);
  options->addWidget(CheckBoxSelectedOnly);
  options->addLayout(delimiters);
  options->addWidget(CheckBoxDelimAround);
  options->addLayout(around);
  options->addStretch();
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(ButtonHelp);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(options, 1);
  layout->addLayout(buttons);
}

void TFormCopyConcord::CheckBoxSaveWithDelimitersClick() {
  const bool on = CheckBoxSaveWithDelimiters->isChecked();
  CheckBoxDelimAround->setEnabled(on);
  const bool words = on && CheckBoxDelimAround->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{SpinEditM, SpinEditN, LabelM, LabelN})
    w->setEnabled(words);
}

void TFormCopyConcord::CheckBoxDelimAroundClick() {
  const bool words = CheckBoxDelimAround->isChecked() && CheckBoxDelimAround->isEnabled();
  for (QWidget* w : std::initializer_list<QWidget*>{SpinEditM, SpinEditN, LabelM, LabelN})
    w->setEnabled(words);
}

void TFormCopyConcord::ButtonHelpClick() {
  help_.Show(kHelpContext);
}

void TFormCopyConcord::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(this);
}

concordance::CopyOptions TFormCopyConcord::Options(const TextCodec& codec) const {
  concordance::CopyOptions o;
  if (RadioButtonToOnePara->isChecked())
    o.Format = concordance::CopyFormat::OneParagraph;
  else if (RadioButtonJustify->isChecked())
    o.Format = concordance::CopyFormat::Justify;
  else
    o.Format = concordance::CopyFormat::EachParagraph;
  o.Width = codec.Encode(Edit1->text());
  o.ToFile = CheckBoxToFile->isChecked();
  o.IncludeSource = CheckBoxIncludeSource->isChecked();
  o.SelectedOnly = CheckBoxSelectedOnly->isChecked();
  o.SaveWithDelimiters = CheckBoxSaveWithDelimiters->isChecked();
  o.LeftDelimiter = codec.Encode(EditLeftDelimiter->text());
  o.RightDelimiter = codec.Encode(EditRightDelimiter->text());
  o.DelimAround = CheckBoxDelimAround->isChecked();
  o.M = SpinEditM->value();
  o.N = SpinEditN->value();
  return o;
}

}  // namespace lexvane::gui
