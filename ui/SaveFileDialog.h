// The dialog of the chart's two save commands: a file name (typed, or chosen with "Обзор…"),
// for a picture also its width and height in pixels (at first the chart's size), a line that
// says which names are accepted, and "OK" (enabled for an accepted name) and "Отмена".
#pragma once

#include <QDialog>
#include <QSize>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class SaveFileDialog : public QDialog {
  Q_OBJECT

 public:
  struct Kind {
    QString caption;      // "Сохранить график"
    QString fileName;     // proposed at first
    QString filter;       // for the file chooser, "PNG (*.png);;PDF (*.pdf)"
    QString hint;         // which names are accepted
    std::function<bool(const QString&)> accepts;
  };

  // With a size the dialog asks for the picture's width and height too.
  SaveFileDialog(const Kind& kind, std::optional<QSize> size, QWidget* parent);

  QString FileName() const;
  QSize PictureSize() const;
  QLineEdit* FileNameEdit() const { return fileName_; }
  QSpinBox* WidthBox() const { return width_; }
  QSpinBox* HeightBox() const { return height_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  void Browse();
  void UpdateOk();

  Kind kind_;
  QLineEdit* fileName_;
  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
  QPushButton* ok_;
};
