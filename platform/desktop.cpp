#include "platform/desktop.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/name_display.h"

namespace {

QClipboard* Clipboard() {
  return QGuiApplication::instance() != nullptr ? QGuiApplication::clipboard() : nullptr;
}

// The modifiers whose key is down, as the key events so far left them.
Qt::KeyboardModifiers heldModifiers;

constexpr int kVirtualShift = 16;
constexpr int kVirtualControl = 17;
constexpr int kVirtualMenu = 18;

Qt::KeyboardModifier ModifierOf(int virtualKey) {
  switch (virtualKey) {
    case kVirtualShift: return Qt::ShiftModifier;
    case kVirtualControl: return Qt::ControlModifier;
    case kVirtualMenu: return Qt::AltModifier;
    default: return Qt::NoModifier;
  }
}

// 0 for a key that has no Qt counterpart here.
int QtKeyOf(int virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return Qt::Key_A + (virtualKey - 'A');
  if (virtualKey >= '0' && virtualKey <= '9') return Qt::Key_0 + (virtualKey - '0');
  switch (virtualKey) {
    case kVirtualShift: return Qt::Key_Shift;
    case kVirtualControl: return Qt::Key_Control;
    case kVirtualMenu: return Qt::Key_Alt;
    default: return 0;
  }
}

QString TextOf(int virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    const char letter = static_cast<char>(heldModifiers.testFlag(Qt::ShiftModifier)
                                              ? virtualKey
                                              : virtualKey - 'A' + 'a');
    return QString(QChar::fromLatin1(letter));
  }
  if (virtualKey >= '0' && virtualKey <= '9') {
    return QString(QChar::fromLatin1(static_cast<char>(virtualKey)));
  }
  return {};
}

QString AbsolutePath(std::string_view path) {
  std::string absolute(path);
  if (absolute.empty() || absolute.front() != '/') {
    std::error_code error;
    absolute = std::filesystem::current_path(error).native() + "/" + absolute;
  }
  // A URL path may not begin with "//"; on Linux it names the same as "/".
  const std::size_t firstKept = absolute.find_first_not_of('/');
  if (firstKept != std::string::npos && firstKept > 1) absolute.erase(0, firstKept - 1);
  return QString::fromLatin1(
      QByteArray(absolute.data(), static_cast<qsizetype>(absolute.size())).toPercentEncoding("/"));
}

// The file's own bytes percent-encoded, so that names which are not UTF-8
// reach the launcher unchanged.
QUrl LocalFileUrl(std::string_view path) {
  QUrl url;
  url.setScheme(QStringLiteral("file"));
  url.setPath(AbsolutePath(path), QUrl::TolerantMode);
  return url;
}

bool IsFile(const QString& path) { return QFileInfo(path).isFile(); }

}  // namespace

std::string ReadClipboardText() {
  const QClipboard* clipboard = Clipboard();
  const QMimeData* data =
      clipboard != nullptr ? clipboard->mimeData(QClipboard::Clipboard) : nullptr;
  // Only plain text counts: Qt would also render a list of files as text.
  if (data == nullptr || !data->hasFormat(QStringLiteral("text/plain"))) return {};
  // A piece of a name that this program copied comes with its own bytes.
  const QString nameBytes = QString::fromLatin1(kNameBytesFormat);
  std::string text = data->hasFormat(nameBytes) ? data->data(nameBytes).toStdString()
                                                : data->text().toUtf8().toStdString();
  // Texts end at a zero byte, as the fields and names hold none.
  text.resize(std::min(text.size(), text.find('\0')));
  return text;
}

void EmptyClipboard() {
  if (QClipboard* clipboard = Clipboard()) clipboard->clear(QClipboard::Clipboard);
}

void PostKeyEvent(int virtualKey, bool release) {
  const Qt::KeyboardModifier modifier = ModifierOf(virtualKey);
  if (modifier != Qt::NoModifier) heldModifiers.setFlag(modifier, !release);
  const int key = QtKeyOf(virtualKey);
  QWidget* target = QApplication::focusWidget();
  if (key == 0 || target == nullptr) return;
  QCoreApplication::postEvent(
      target, new QKeyEvent(release ? QEvent::KeyRelease : QEvent::KeyPress, key, heldModifiers,
                            TextOf(virtualKey)));
}

std::string BrowseForFolder(QWidget* owner, std::string_view prompt) {
  QFileDialog dialog(owner,
                     QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size())),
                     QDir::homePath());
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  // exec() keeps the timers of the main window ticking while it waits.
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return {};
  return QFile::encodeName(chosen.first()).toStdString();
}

void ShellOpen(std::string_view path) { QDesktopServices::openUrl(LocalFileUrl(path)); }

std::string UserGuidePath() {
  // The build tree keeps a copy at the place where an installed program has it.
  const QString guide = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                        QStringLiteral("/../share/batch-renamer/guide/index.html"));
  return IsFile(guide) ? QFile::encodeName(guide).toStdString() : std::string();
}

void OpenUserGuide() {
  const std::string guide = UserGuidePath();
  if (!guide.empty()) ShellOpen(guide);
}
