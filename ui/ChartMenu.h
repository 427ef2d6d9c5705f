// The results chart's menu: "Точное решение", "Погрешность", "Плоский вид" and "Подписи осей:
// авто" (switches, off at start and kept for later runs), "Сохранить график…", "Сохранить
// таблицу…" and "Сбросить масштаб". It opens where the chart asks for it.
#pragma once

#include <QObject>
#include <QPoint>

class ExactCurves;
class QAction;
class QMenu;
class QWidget;
class TChart;

class ChartMenu : public QObject {
  Q_OBJECT

 public:
  ChartMenu(TChart& chart, ExactCurves& curves, QWidget* window);
  ~ChartMenu() override;

  QMenu* Menu() const { return menu_; }
  // The action with this text, for tests and for the keyboard.
  QAction* Action(const char* text) const;

  void SavePicture();
  void SaveTable();

 private:
  void Popup(QPoint globalPosition);

  TChart& chart_;
  ExactCurves& curves_;
  QWidget* window_;
  QMenu* menu_;
};
