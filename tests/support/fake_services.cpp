#include "tests/support/fake_services.h"

#include "ui/main_form.h"

std::string FakeServices::ReadClipboardText() {
  ++clipboardReads;
  return clipboard;
}

void FakeServices::EmptyClipboard() {
  ++clipboardEmptyings;
  clipboard.clear();
}

void FakeServices::SendKeyEvent(int virtualKey, bool release) {
  keyEvents.push_back({virtualKey, release});
}

void FakeServices::ShowPopupMenu(ScreenPoint topLeft) {
  popupMenus.push_back(topLeft);
  // The choice is raised once the menu has closed.
  if (popupChoice != nullptr) popupChoice->Raise(Event::Clicked);
}

std::string FakeServices::BrowseForFolder(std::string_view prompt) {
  dialogPrompts.emplace_back(prompt);
  if (folderAnswers.empty()) return {};
  std::string answer = std::move(folderAnswers.front());
  folderAnswers.pop_front();
  return answer;
}

void FakeServices::ShellOpen(std::string_view path, ShowMode mode) {
  shellOpens.push_back({std::string(path), mode});
}
