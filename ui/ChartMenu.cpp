#include "ui/ChartMenu.h"

#include <QFileInfo>
#include <QMenu>

#include "model/Errors.h"
#include "ui/ChartTable.h"
#include "ui/ExactCurves.h"
#include "ui/FocusRestorer.h"
#include "ui/HandleEvent.h"
#include "ui/SaveFileDialog.h"
#include "ui/TChart.h"

namespace {

// Every action is its own error boundary, as the OK button is: an error (a file that cannot
// be written, memory for the curves) is shown in the error box and must never unwind through
// the menu's own frames, which are not made for it.
template <class Handler>
void OnTriggered(QAction* action, QObject* context, Handler handler) {
  QObject::connect(action, &QAction::triggered, context, [handler] { HandleEvent(handler); });
}

template <class Handler>
void OnToggled(QAction* action, QObject* context, Handler handler) {
  QObject::connect(action, &QAction::toggled, context, [handler](bool on) { HandleEvent([&] { handler(on); }); });
}

QAction* AddSwitch(QMenu* menu, const char* text, TChart& chart, void (TChart::*set)(bool)) {
  QAction* action = menu->addAction(QString::fromUtf8(text));
  action->setCheckable(true);
  OnToggled(action, menu, [&chart, set](bool on) { (chart.*set)(on); });
  return action;
}

}  // namespace

ChartMenu::ChartMenu(TChart& chart, ExactCurves& curves, QWidget* window)
    : QObject(window), chart_(chart), curves_(curves), window_(window), menu_(new QMenu(window)) {
  menu_->setObjectName(QStringLiteral("ChartMenu"));
  AddSwitch(menu_, "Точное решение", chart, &TChart::SetExactShown);
  AddSwitch(menu_, "Погрешность", chart, &TChart::SetErrorShown);
  // Both curves are computed together; switching either on fills them, both off empties them.
  for (QAction* action : menu_->actions()) OnToggled(action, this, [this](bool) { curves_.Refill(); });
  AddSwitch(menu_, "Плоский вид", chart, &TChart::SetFlatView);
  AddSwitch(menu_, "Подписи осей: авто", chart, &TChart::SetReadableLabels);
  menu_->addSeparator();
  OnTriggered(menu_->addAction(QString::fromUtf8("Сохранить график…")), this, [this] { SavePicture(); });
  OnTriggered(menu_->addAction(QString::fromUtf8("Сохранить таблицу…")), this, [this] { SaveTable(); });
  menu_->addSeparator();
  OnTriggered(menu_->addAction(QString::fromUtf8("Сбросить масштаб")), this, [this] { chart_.ResetZoom(); });
  connect(&chart_, &TChart::MenuRequested, this, &ChartMenu::Popup);
}

ChartMenu::~ChartMenu() = default;

QAction* ChartMenu::Action(const char* text) const {
  const QString wanted = QString::fromUtf8(text);
  for (QAction* action : menu_->actions())
    if (action->text() == wanted) return action;
  return nullptr;
}

void ChartMenu::Popup(QPoint globalPosition) { menu_->popup(globalPosition); }

void ChartMenu::SavePicture() {
  SaveFileDialog::Kind kind;
  kind.caption = QString::fromUtf8("Сохранить график");
  kind.fileName = QStringLiteral("rcpulse.png");
  kind.filter = QStringLiteral("PNG (*.png);;PDF (*.pdf);;SVG (*.svg)");
  kind.hint = QString::fromUtf8("Формат — по расширению имени: .png, .pdf или .svg.");
  kind.accepts = &TChart::IsPictureFileName;
  FocusRestorer restorer;
  SaveFileDialog dialog(kind, chart_.size(), window_);
  if (dialog.exec() != QDialog::Accepted) return;
  const QSize size = dialog.PictureSize();
  if (!chart_.SavePicture(dialog.FileName(), size.width(), size.height()))
    throw Exception("Не удалось записать файл " + dialog.FileName().toStdString());
}

void ChartMenu::SaveTable() {
  SaveFileDialog::Kind kind;
  kind.caption = QString::fromUtf8("Сохранить таблицу");
  kind.fileName = QStringLiteral("rcpulse.csv");
  kind.filter = QStringLiteral("CSV (*.csv)");
  kind.hint = QString::fromUtf8(chart_.ExactShown() || chart_.ErrorShown()
                                    ? "Столбцы t, u, E, u_exact, error (CSV, точка в числах)."
                                    : "Столбцы t, u, E (CSV, точка в числах).");
  kind.accepts = [](const QString&) { return true; };
  FocusRestorer restorer;
  SaveFileDialog dialog(kind, std::nullopt, window_);
  if (dialog.exec() != QDialog::Accepted) return;
  const bool withExact = chart_.ExactShown() || chart_.ErrorShown();
  WriteChartTable(dialog.FileName().toStdString(), chart_, withExact ? curves_.SolvableParams() : std::nullopt);
}
