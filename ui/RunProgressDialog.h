// The progress dialog of a long run: the application title as caption, a line saying how many
// rows are done, a bar with the percentage and one button "Отмена". Esc, the button and the
// title bar's close button all cancel; the dialog only remembers that, the run stops itself.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

class RunProgressDialog : public QDialog {
  Q_OBJECT

 public:
  explicit RunProgressDialog(QWidget* parent);

  void Show(double rowsDone, double expectedRows);
  bool Cancelled() const { return cancelled_; }
  int Percent() const;
  QString Text() const;
  QPushButton* CancelButton() const { return cancel_; }

  void reject() override;

 private:
  QLabel* text_;
  QProgressBar* bar_;
  QPushButton* cancel_;
  bool cancelled_ = false;
};
