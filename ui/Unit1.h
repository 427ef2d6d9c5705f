// The main window TForm1 (its one instance, Form1, is the program's main routine's): nine
// parameter fields, the results chart and the OK and Close buttons, laid out at the design
// scale times the font's text height over 13. Its one handler, BitBtn1Click, is one
// calculation run, with a progress dialog when it lasts. Around them: each field's tooltip
// (meaning and unit), F1 for the help, and the chart's menu with its study curves.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <string>

#include "run/ParameterTexts.h"
#include "ui/RunProgress.h"
#include "ui/TChart.h"
#include "ui/TFastLineSeries.h"

class ChartMenu;
class ExactCurves;

class TForm1 : public QWidget, public ParameterTexts {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // The component fields, in the window's declaration order.
  QPushButton* BitBtn1;
  QGroupBox* GroupBox1;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit5;
  QLineEdit* Edit6;
  QLineEdit* Edit7;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label5;
  QLabel* Label6;
  QLabel* Label7;
  QLabel* Label9;
  QLineEdit* Edit9;
  QLabel* Label10;
  QLineEdit* Edit10;
  QGroupBox* GroupBox2;
  QLineEdit* Edit11;
  QLabel* Label12;
  QPushButton* BitBtn2;
  QLabel* Label13;
  QLineEdit* Edit13;
  QGroupBox* GroupBox3;
  TChart* Chart1;
  TFastLineSeries* Series1;
  TFastLineSeries* Series2;

  void BitBtn1Click(QObject* Sender);

  // The current text of the parameter's edit field, exactly as typed (UTF-8).
  std::string Text(Parameter parameter) const override;
  QLineEdit* EditOf(Parameter parameter) const;

  // Positions and sizes of the design, multiplied by this.
  double Scale() const { return scale_; }

  ChartMenu& Chart1Menu() const { return *chartMenu_; }
  // When a run's progress dialog shows and how often it is refreshed (tests shorten them).
  void SetProgressTiming(RunProgress::Timing timing) { progressTiming_ = timing; }
  ExactCurves& StudyCurves() const { return *exactCurves_; }
  void ShowHelp();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  int Scaled(int designPixels) const;
  QGroupBox* CreateGroupBox(const char* name, const char* caption, QRect designGeometry);
  QLineEdit* CreateEdit(QWidget* group, const char* name, int top, const QString& defaultText);
  QLabel* CreateLabel(QWidget* group, const char* name, int top, const char* caption);
  void CreateParameterRows();
  QPushButton* CreateBitBtn(const char* name, const char* caption, const QPixmap& glyph, QPoint designPosition);
  void SetUpKeyboard();

  double scale_ = 1;
  bool shownBefore_ = false;
  bool running_ = false;
  RunProgress::Timing progressTiming_;
  std::unique_ptr<ExactCurves> exactCurves_;
  ChartMenu* chartMenu_;
};
