#include "ui/HelpBox.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/FocusRestorer.h"

namespace {

#ifndef RCPULSE_VERSION
#define RCPULSE_VERSION "?"
#endif

const char* const kBeforeFields = R"(
<h3>Переходный процесс в RC-цепи</h3>
<p>Последовательная цепь из сопротивления R и ёмкости C подключена к источнику
трапециевидного импульса E(t). Программа рассчитывает напряжение на ёмкости u(t) по уравнению
<br>&nbsp;&nbsp;&nbsp;du/dt = (E(t) − u) / (R·C),&nbsp;&nbsp; u(t1) = U0.</p>
<p>Импульс: E = 0 до t1; от t1 до t2 напряжение растёт линейно от 0 до заданного значения;
от t2 до t3 держится на нём (плато); от t3 до t4 линейно спадает до 0; после t4 снова 0.</p>
<p><b>Поля окна</b></p>
<table cellspacing="0" cellpadding="2">
<tr><th align="left">Поле</th><th align="left">Что задаёт</th><th align="left">Ед.</th></tr>
)";

const char* const kAfterFields = R"(
</table>
<p><b>Метод.</b> Первый шаг — классический метод Рунге–Кутты 4-го порядка, далее неявный
метод Адамса–Маултона 3-го порядка: каждое новое значение уточняется 51 итерацией от значения
предыдущего шага. Расчёт идёт от t1 с шагом h, пока время не превысит t4; время
накапливается сложением шагов.</p>
<p><b>Файл REZ.TXT</b> (в текущей папке): заголовок «РЕЗУЛЬТАТЫ РАССЧЕТОВ», пустая строка,
затем по строке на каждый момент времени: t, u(t) и E(t), по 5 знаков после точки.</p>
<p><b>«Глобальная погрешность»</b> в окне результата — это наибольшее изменение решения между
соседними строками таблицы, |u(n+1) − u(n)|. Она говорит о крутизне кривой и о шаге, но
<i>не</i> о расстоянии до точного решения.</p>
<p><b>Истинная погрешность</b> u − u<sub>точн</sub> видна на графике: щёлкните по нему правой
кнопкой мыши и включите «Точное решение» и «Погрешность» (точное решение уравнения
вычисляется по формуле для каждого участка импульса). Из командной строки её печатает
<tt>rcpulse-cli --exact</tt>.</p>
<p><b>График.</b> Протяните мышью с левой кнопкой вниз-вправо — увеличение, вверх или влево —
возврат; правой кнопкой — сдвиг. Правый щелчок без движения (или клавиша контекстного меню,
или Shift+F10, когда график в фокусе) открывает меню: точное решение, погрешность, плоский
вид, подписи осей, сохранение графика (PNG, PDF, SVG) и таблицы (CSV), сброс масштаба.
Под указателем мыши показываются значения ближайшей строки.</p>
<p><b>Долгий расчёт</b> показывает окно хода с кнопкой «Отмена»; прерванный расчёт оставляет
в REZ.TXT и на графике уже рассчитанные строки.</p>
)";

}  // namespace

QString HelpText(const QList<HelpField>& fields) {
  QString text = QString::fromUtf8(kBeforeFields);
  for (const HelpField& field : fields) {
    text += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td><td>%3</td></tr>\n")
                .arg(field.caption.toHtmlEscaped(), field.meaning.toHtmlEscaped(), field.unit.toHtmlEscaped());
  }
  text += QString::fromUtf8(kAfterFields);
  text += QString::fromUtf8("<p>Версия %1.</p>").arg(QStringLiteral(RCPULSE_VERSION));
  return text;
}

void ShowHelpBox(const QList<HelpField>& fields, QWidget* window) {
  FocusRestorer restorer;
  QDialog box(window);
  box.setObjectName(QStringLiteral("HelpBox"));
  box.setWindowTitle(QString::fromUtf8("Справка — %1").arg(QCoreApplication::applicationName()));
  box.setWindowModality(Qt::ApplicationModal);
  auto* browser = new QTextBrowser(&box);
  browser->setObjectName(QStringLiteral("HelpText"));
  browser->setOpenLinks(false);
  browser->setHtml(HelpText(fields));
  auto* close = new QPushButton(QString::fromUtf8("Закрыть"), &box);
  close->setDefault(true);
  QObject::connect(close, &QPushButton::clicked, &box, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(&box);
  layout->addWidget(browser);
  layout->addLayout(buttons);
  box.resize(560, 520);
  box.exec();
}
