#include "ui/qt_dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include "ui/color_box.h"

namespace quillon {

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString& pattern = parts[i + 1];
    if (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
      filters << description;
    } else {
      filters << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
  }
  return filters;
}

QString DefaultSuffix(const QString& nameFilter) {
  const qsizetype dot = nameFilter.lastIndexOf(QStringLiteral("*."));
  const qsizetype end = nameFilter.indexOf(QLatin1Char(')'), dot);
  if (dot < 0 || end < 0) {
    return QString();
  }
  const QString suffix = nameFilter.mid(dot + 2, end - dot - 2);
  return suffix.contains(QLatin1Char('*')) ? QString() : suffix;
}

QMessageBox::Icon MessageBoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

void QtDialogs::Report(const std::string& title, const std::string& text, MessageIcon icon) {
  QMessageBox box(MessageBoxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                  QMessageBox::Ok, parent_);
  box.exec();
}

Answer QtDialogs::Ask(const std::string& title, const std::string& text, MessageIcon icon,
                      QuestionButtons buttons) {
  const bool withCancel = buttons == QuestionButtons::YesNoCancel;
  QMessageBox box(MessageBoxIcon(icon), QString::fromStdString(title), QString::fromStdString(text),
                  withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                             : QMessageBox::Yes | QMessageBox::No,
                  parent_);
  // Closing the box is the most careful answer it offers.
  box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return withCancel ? Answer::Cancel : Answer::No;
  }
}

std::optional<FileChoice> QtDialogs::AskFileName(FileDialogMode mode, const std::string& title,
                                                 const std::string& filter) {
  QFileDialog dialog(parent_, QString::fromStdString(title));
  const QStringList filters = QtNameFilters(filter);
  dialog.setNameFilters(filters);
  if (mode == FileDialogMode::Open) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A name typed without an extension gets the chosen filter's before the
    // dialog asks whether to replace the file so named.
    const auto takeSuffix = [&dialog](const QString& nameFilter) {
      dialog.setDefaultSuffix(DefaultSuffix(nameFilter));
    };
    takeSuffix(filters.value(0));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, takeSuffix);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  FileChoice choice;
  choice.path = dialog.selectedFiles().constFirst().toStdString();
  choice.filterIndex = static_cast<std::int32_t>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  if (choice.filterIndex < 1) {
    choice.filterIndex = 1;
  }
  return choice;
}

std::optional<std::int32_t> QtDialogs::ChooseColor(std::int32_t current, QWidget* parent) {
  const QColor color =
      QColorDialog::getColor(ToQColor(current), parent != nullptr ? parent : parent_.data());
  if (!color.isValid()) {
    return std::nullopt;
  }
  return ColorValue(color);
}

int QtDialogs::ShowModal(QDialog& dialog) {
  return dialog.exec();
}

bool QtDialogs::OpenUrl(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

bool QtDialogs::AskPrinter(QPrinter& printer) {
  // Offers "Print to File (PDF)" also where no printer is installed.
  QPrintDialog dialog(&printer, parent_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace quillon
