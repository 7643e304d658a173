#include "dialogs/app_title.h"

#include <cctype>

namespace corvane {
namespace {
std::string& Title() {
  static std::string title;
  return title;
}
}  // namespace

std::string ApplicationTitleFromPath(std::string_view executable_path) {
  const auto slash = executable_path.find_last_of('/');
  std::string_view name =
      slash == std::string_view::npos ? executable_path : executable_path.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  std::string title(name);
  for (std::size_t i = 1; i < title.size(); ++i) {
    title[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(title[i])));
  }
  return title;
}

const std::string& ApplicationTitle() {
  return Title();
}
void SetApplicationTitle(std::string title) {
  Title() = std::move(title);
}

}  // namespace corvane
