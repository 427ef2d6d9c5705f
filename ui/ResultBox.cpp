#include "ui/ResultBox.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

ResultBox::ResultBox(const QString& caption, const QString& text, QWidget* parent)
    : QDialog(parent), label_(new QLabel(this)), okButton_(new QPushButton(QStringLiteral("OK"), this)) {
  setWindowTitle(caption);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowModality(Qt::ApplicationModal);
  setObjectName(QStringLiteral("ResultBox"));

  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(true);
  label_->setText(text);
  QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  const int wrapWidth = screen->geometry().width() / 2;
  const QRect textRect = QFontMetrics(label_->font())
                             .boundingRect(QRect(0, 0, wrapWidth, 1 << 20), Qt::TextWordWrap, text);
  label_->setFixedSize(textRect.size());

  okButton_->setObjectName(QStringLiteral("OkButton"));
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(16);
  layout->addWidget(label_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString ResultBox::Text() const { return label_->text(); }

void ResultBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  const QRect screenArea = screen()->geometry();
  move(screenArea.center() - QPoint(width() / 2, height() / 2));
}
