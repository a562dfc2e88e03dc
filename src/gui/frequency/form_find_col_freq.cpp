#include "gui/frequency/form_find_col_freq.h"

#include <algorithm>

#include <QAbstractListModel>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/base/text_codec.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

// The query's masks as a list box (reads the vector; nothing copied).
class MaskListModel : public QAbstractListModel {
 public:
  MaskListModel(const std::vector<std::string>& masks, const TextCodec& codec, QObject* parent)
      : QAbstractListModel(parent), masks_(masks), codec_(codec) {}
  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(masks_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) return {};
    return codec_.Decode(masks_[static_cast<std::size_t>(index.row())]);
  }
  // The vector was changed: views reload.
  void masksChanged() {
    beginResetModel();
    endResetModel();
  }

 private:
  const std::vector<std::string>& masks_;
  const TextCodec& codec_;  // the dialog's
};

namespace {

constexpr int kHelpContext = 19;
// F1 on the Help button opens the word search dialog's topic.
constexpr int kHelpButtonContext = 4;

}  // namespace

TFormFindColFreq::TFormFindColFreq(HelpDesk& help, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FormFindColFreq"));
  setWindowTitle(QStringLiteral("Find frequency of collogate words"));
  SetModalBesideHelp(this);
  SetHelpContext(this, kHelpContext);

  Label1 = new QLabel(QStringLiteral("Mask:"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setAccessibleName(QStringLiteral("Mask:"));
  Label1->setBuddy(Edit1);
  masks_ = new MaskListModel(query_.ListBox1, codec_, this);
  ListBox1 = new QListView(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->setAccessibleName(QStringLiteral("Masks"));
  ListBox1->setModel(masks_);
  ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBox1->installEventFilter(this);
  Label3 = new QLabel(QStringLiteral("Words to left:"), this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label2 = new QLabel(QStringLiteral("Words to right:"), this);
  Label2->setObjectName(QStringLiteral("Label2"));

  auto* positions = new QGridLayout;
  positions->addWidget(Label3, 0, 0, 1, 9);
  positions->addWidget(Label2, 0, 10, 1, 9);
  for (int k = 1; k <= 18; ++k) {
    // Boxes 1..9 are left positions 9..1, boxes 10..18 right positions 1..9.
    const int position = k <= 9 ? 10 - k : k - 9;
    const int column = k <= 9 ? k - 1 : k;
    auto* label = new QLabel(QString::number(position) + QLatin1Char('.'), this);
    label->setAlignment(Qt::AlignCenter);
    auto* box = new QCheckBox(this);
    box->setObjectName(QStringLiteral("CheckBox%1").arg(k));
    box->setAccessibleName(
        (k <= 9 ? QStringLiteral("Words to left: %1.") : QStringLiteral("Words to right: %1."))
            .arg(position));
    CheckBoxes[static_cast<std::size_t>(k - 1)] = box;
    positions->addWidget(label, 1, column, Qt::AlignHCenter);
    positions->addWidget(box, 2, column, Qt::AlignHCenter);
  }
  positions->setColumnMinimumWidth(9, 16);

  ButtonClearAll = new QPushButton(QStringLiteral("&Clear All"), this);
  ButtonClearAll->setObjectName(QStringLiteral("ButtonClearAll"));
  ButtonOK = new QPushButton(QStringLiteral("OK"), this);
  ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
  ButtonOK->setDefault(true);
  ButtonCancel = new QPushButton(QStringLiteral("Cancel"), this);
  ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
  ButtonHelp = new QPushButton(QStringLiteral("Help"), this);
  ButtonHelp->setObjectName(QStringLiteral("ButtonHelp"));
  SetHelpContext(ButtonHelp, kHelpButtonContext);
  for (QPushButton* b : {ButtonClearAll, ButtonOK, ButtonCancel, ButtonHelp}) {
    b->setAccessibleName(b->text());
    b->setAutoDefault(false);
  }
  ButtonOK->setDefault(true);
  connect(ButtonClearAll, &QPushButton::clicked, this, &TFormFindColFreq::ButtonClearAllClick);
  connect(ButtonOK, &QPushButton::clicked, this, &TFormFindColFreq::ButtonOKClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &TFormFindColFreq::ButtonCancelClick);
  connect(ButtonHelp, &QPushButton::clicked, this, [&help] { help.Show(kHelpContext); });

  auto* mask = new QHBoxLayout;
  mask->addWidget(Label1);
  mask->addWidget(Edit1);
  auto* left = new QVBoxLayout;
  left->addLayout(mask);
  left->addWidget(ListBox1);
  left->addLayout(positions);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {ButtonOK, ButtonCancel, ButtonClearAll, ButtonHelp}) buttons->addWidget(b);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addLayout(buttons);
  showQuery();
}

void TFormFindColFreq::UseEncoding(text::Encoding encoding) {
  if (text::IsUtf8(encoding) != text::IsUtf8(encoding_)) {
    auto recode = [&](std::string& s) { s = Recode(s, encoding_, encoding); };
    recode(query_.Edit1);
    for (std::string& mask : query_.ListBox1) recode(mask);
  }
  encoding_ = encoding;
  codec_ = CodecFor(encoding);
  showQuery();
}

int TFormFindColFreq::exec() {
  showQuery();
  Edit1->setFocus();
  return QDialog::exec();
}

void TFormFindColFreq::showQuery() {
  Edit1->setText(codec_.Decode(query_.Edit1));
  for (std::size_t i = 0; i < CheckBoxes.size(); ++i)
    CheckBoxes[i]->setChecked(query_.CheckBoxes[i]);
  masks_->masksChanged();
}

void TFormFindColFreq::takeControls() {
  query_.Edit1 = codec_.Encode(Edit1->text());
  for (std::size_t i = 0; i < CheckBoxes.size(); ++i)
    query_.CheckBoxes[i] = CheckBoxes[i]->isChecked();
}

void TFormFindColFreq::ButtonOKClick() {
  takeControls();
  const frequency::CollocQuery::Outcome outcome = query_.ButtonOKClick();
  showQuery();
  switch (outcome) {
    case frequency::CollocQuery::Outcome::StaysOpen:
      Edit1->setFocus();
      break;
    case frequency::CollocQuery::Outcome::Ok:
      accept();
      break;
    case frequency::CollocQuery::Outcome::Cancel:
      reject();
      break;
  }
}

void TFormFindColFreq::ButtonClearAllClick() {
  takeControls();
  query_.ButtonClearAllClick();
  showQuery();
  Edit1->setFocus();
}

void TFormFindColFreq::ButtonCancelClick() {
  takeControls();
  Edit1->setFocus();
  reject();
}

bool TFormFindColFreq::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListBox1 && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    std::vector<int> rows;
    for (const QModelIndex& index : ListBox1->selectionModel()->selectedIndexes())
      rows.push_back(index.row());
    takeControls();
    query_.DeleteMasks(rows);
    showQuery();
    Edit1->setFocus();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace lexvane::gui
