// The result box: a modal message with the application title as caption, no icon, the text
// measured with word wrapping at half the screen's width, and one "OK" button that Enter, Esc
// and a click all close. Centred on the screen.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class ResultBox : public QDialog {
  Q_OBJECT

 public:
  ResultBox(const QString& caption, const QString& text, QWidget* parent = nullptr);

  QString Text() const;
  QPushButton* OkButton() const { return okButton_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* label_;
  QPushButton* okButton_;
};
