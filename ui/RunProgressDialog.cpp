#include "ui/RunProgressDialog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

QString RowCount(double rows) { return QLocale::system().toString(static_cast<qlonglong>(rows)); }

}  // namespace

RunProgressDialog::RunProgressDialog(QWidget* parent)
    : QDialog(parent),
      text_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(QString::fromUtf8("Отмена"), this)) {
  setObjectName(QStringLiteral("RunProgress"));
  setWindowTitle(QCoreApplication::applicationName());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowModality(Qt::ApplicationModal);

  text_->setTextFormat(Qt::PlainText);
  text_->setMinimumWidth(280);
  bar_->setRange(0, 100);
  bar_->setValue(0);
  cancel_->setObjectName(QStringLiteral("CancelButton"));
  cancel_->setDefault(true);
  connect(cancel_, &QPushButton::clicked, this, &RunProgressDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(10);
  layout->addWidget(text_);
  layout->addWidget(bar_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void RunProgressDialog::Show(double rowsDone, double expectedRows) {
  const double share = expectedRows > 0 ? std::clamp(rowsDone / expectedRows, 0.0, 1.0) : 0.0;
  bar_->setValue(static_cast<int>(std::floor(share * 100)));
  text_->setText(QString::fromUtf8("Расчёт: %1 из %2 строк").arg(RowCount(rowsDone), RowCount(std::max(rowsDone, expectedRows))));
  if (!isVisible()) show();
}

int RunProgressDialog::Percent() const { return bar_->value(); }

QString RunProgressDialog::Text() const { return text_->text(); }

void RunProgressDialog::reject() {
  cancelled_ = true;
  QDialog::reject();
}
