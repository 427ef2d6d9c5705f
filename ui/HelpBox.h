// The program's short help (F1): the circuit and its pulse with the nine fields, the method,
// the columns of REZ.TXT, what the global error measures and how to see the true error, the
// chart's tools and the version. A modal dialog with the text and one "Закрыть".
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// One field of the window as the help lists it.
struct HelpField {
  QString caption;  // the label beside the field, "Шаг времени:"
  QString meaning;
  QString unit;
};

// The help as rich text, with the fields in the window's order.
QString HelpText(const QList<HelpField>& fields);

void ShowHelpBox(const QList<HelpField>& fields, QWidget* window);
