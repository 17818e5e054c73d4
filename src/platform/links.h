#pragma once

#include <optional>
#include <string>

// Links the game opens in the browser: a web address as it is, or an Internet-shortcut file
// ("[InternetShortcut]" with a "URL=" line) by the address it holds. Only http and https
// addresses are ever handed on, and never through a shell command line.
namespace platform {

class TPlatform;

bool IsWebUrl(const std::string& text);
// The URL of the shortcut's [InternetShortcut] section, when it has one.
std::optional<std::string> ParseInternetShortcut(const std::string& text);
// Opens a web address, or the address inside a shortcut file; false when nothing was opened.
bool OpenLink(TPlatform& platform, const std::string& urlOrShortcutPath);

}  // namespace platform
