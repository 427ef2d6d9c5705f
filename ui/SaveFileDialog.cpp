#include "ui/SaveFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kSmallestSide = 16;
constexpr int kLargestSide = 10000;

QSpinBox* SideBox(int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(kSmallestSide, kLargestSide);
  box->setValue(value);
  box->setSuffix(QString::fromUtf8(" пикс."));
  return box;
}

}  // namespace

SaveFileDialog::SaveFileDialog(const Kind& kind, std::optional<QSize> size, QWidget* parent)
    : QDialog(parent), kind_(kind), fileName_(new QLineEdit(kind.fileName, this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)) {
  setObjectName(QStringLiteral("SaveFileDialog"));
  setWindowTitle(kind.caption);
  setWindowModality(Qt::ApplicationModal);

  auto* browse = new QPushButton(QString::fromUtf8("Обзор…"), this);
  connect(browse, &QPushButton::clicked, this, &SaveFileDialog::Browse);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(fileName_, 1);
  nameRow->addWidget(browse);
  auto* form = new QFormLayout;
  form->addRow(QString::fromUtf8("Файл:"), nameRow);
  if (size) {
    width_ = SideBox(size->width(), this);
    height_ = SideBox(size->height(), this);
    form->addRow(QString::fromUtf8("Ширина:"), width_);
    form->addRow(QString::fromUtf8("Высота:"), height_);
  }
  auto* hint = new QLabel(kind.hint, this);
  hint->setTextFormat(Qt::PlainText);
  hint->setWordWrap(true);

  auto* cancel = new QPushButton(QString::fromUtf8("Отмена"), this);
  ok_->setObjectName(QStringLiteral("OkButton"));
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(fileName_, &QLineEdit::textChanged, this, &SaveFileDialog::UpdateOk);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(hint);
  layout->addLayout(buttons);
  setMinimumWidth(420);
  UpdateOk();
}

QString SaveFileDialog::FileName() const { return fileName_->text().trimmed(); }

QSize SaveFileDialog::PictureSize() const {
  return width_ ? QSize(width_->value(), height_->value()) : QSize();
}

void SaveFileDialog::Browse() {
  const QString chosen = QFileDialog::getSaveFileName(this, kind_.caption, QDir::current().absoluteFilePath(FileName()),
                                                      kind_.filter);
  if (!chosen.isEmpty()) fileName_->setText(chosen);
}

void SaveFileDialog::UpdateOk() { ok_->setEnabled(!FileName().isEmpty() && kind_.accepts(FileName())); }
