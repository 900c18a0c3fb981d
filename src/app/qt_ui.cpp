#include "app/qt_ui.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qtio/qt_strings.h"

namespace kestrova::app {

namespace {

// The filter shows as the handler wrote it, without the patterns added for Qt.
constexpr QFileDialog::Options kFilterAsWritten = QFileDialog::HideNameFilterDetails;

std::optional<std::string> ChosenPath(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace

QString DialogFilter(const FileDialogRequest& request) {
  QString patterns = Q(request.pattern);
  patterns.replace(';', ' ');
  return Q(request.filterText) + " (" + patterns.simplified() + ")";
}

std::optional<std::string> QtUi::OpenFile(const FileDialogRequest& request) {
  return ChosenPath(QFileDialog::getOpenFileName(window_, Q(request.title), Q(request.initialFolder),
                                                 DialogFilter(request), nullptr, kFilterAsWritten));
}

std::optional<std::string> QtUi::SaveFile(const FileDialogRequest& request) {
  // The editor asks "Overwrite?" itself, after it has given the name its
  // extension; the dialog must not ask first about another name.
  // A name filled in goes with the folder: the dialog opens there with it selected.
  const QString start = request.initialName.empty() ? Q(request.initialFolder)
                                                    : QDir(Q(request.initialFolder)).filePath(Q(request.initialName));
  return ChosenPath(QFileDialog::getSaveFileName(window_, Q(request.title), start, DialogFilter(request), nullptr,
                                                 QFileDialog::DontConfirmOverwrite | kFilterAsWritten));
}

// The prompt, the field with the default selected, the refusal line when
// there is one, then OK and Cancel: the toolkit's input box with one line more.
std::string QtUi::InputBox(const InputBoxRequest& request) {
  QDialog dialog(window_);
  dialog.setObjectName("InputBox");
  dialog.setWindowTitle(Q(request.title));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(Q(request.prompt), &dialog));
  auto* field = new QLineEdit(Q(request.defaultText), &dialog);
  field->setObjectName("InputField");
  field->selectAll();
  layout->addWidget(field);
  if (!request.refusal.empty()) {
    auto* refusal = new QLabel(Q(request.refusal), &dialog);
    refusal->setObjectName("RefusalLine");
    refusal->setStyleSheet("color: #b00000;");
    layout->addWidget(refusal);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  field->setFocus();
  if (dialog.exec() != QDialog::Accepted) return request.defaultText;
  return field->text().toStdString();
}

MessageAnswer QtUi::Message(const std::string& text, const std::string& title, MessageIcon icon,
                            MessageButtons buttons) {
  QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information, Q(title), Q(text),
                  buttons == MessageButtons::Ok ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel, window_);
  box.setObjectName("MessageBox");
  const int answer = box.exec();
  // Closing an OK-only box is its OK; closing an OK/Cancel box is Cancel.
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return answer == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

SaveChangesAnswer QtUi::AskSaveChanges(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::Warning, Q(title), Q(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window_);
  box.setObjectName("SaveChangesBox");
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  // Closing the box keeps the changes and the window: Cancel.
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveChangesAnswer::Save;
    case QMessageBox::Discard:
      return SaveChangesAnswer::Discard;
    default:
      return SaveChangesAnswer::Cancel;
  }
}

void QtUi::ShowText(const std::string& text, const std::string& title) {
  QDialog dialog(window_);
  dialog.setObjectName("TextDialog");
  dialog.setWindowTitle(Q(title));
  auto* view = new QPlainTextEdit(Q(text), &dialog);
  view->setObjectName("TextView");
  view->setReadOnly(true);
  // Lines of "name<Tab>value": the values line up in a column past the names.
  view->setTabStopDistance(view->fontMetrics().horizontalAdvance(QString(44, 'x')));
  view->setMinimumSize(520, 360);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(view);
  layout->addWidget(buttons);
  dialog.exec();
}

RestoreAnswer QtUi::AskRestore(const std::string& text, const std::string& title) {
  QMessageBox box(QMessageBox::Question, Q(title), Q(text), QMessageBox::NoButton, window_);
  box.setObjectName("RestoreBox");
  QPushButton* restore = box.addButton("Restore", QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton("Discard", QMessageBox::DestructiveRole);
  QPushButton* later = box.addButton("Later", QMessageBox::RejectRole);
  restore->setObjectName("Restore");
  discard->setObjectName("Discard");
  later->setObjectName("Later");
  box.setDefaultButton(restore);
  // Closing the box decides nothing: the work waits for the next start.
  box.setEscapeButton(later);
  box.exec();
  if (box.clickedButton() == restore) return RestoreAnswer::Restore;
  if (box.clickedButton() == discard) return RestoreAnswer::Discard;
  return RestoreAnswer::Later;
}

}  // namespace kestrova::app
