#pragma once
// What may be handed to the shell from a stored value. A list's data may come from someone else's
// file, so a stored address must never start a local program or reach a local file: only web
// addresses go to the browser and only FTP addresses to the file manager, and characters that
// could break out of the one argument they travel in are percent-encoded.
//
// A value is judged as the shell will read it, converted to UTF-16, and the address handed over is
// ASCII alone: every character that is not ASCII becomes the percent-escapes of its UTF-8 bytes
// (例 is %E4%BE%8B), as browsers read them in a path, a query and, decoded before the host name is
// looked up, a host. So no code page between here and the browser can change a character of it,
// a byte that starts no GBK character (U+FFFD) cannot carry the ASCII byte after it along unseen,
// and no direction control or zero-width character reaches the browser as such.

#include <optional>

#include "base/text_value.h"

namespace links {

// The address to open in the browser: an http or https address as it is (a value with no scheme
// gets "http://"), with spaces, double quotes, the other ASCII characters that are not allowed in
// an address and every character that is not ASCII percent-encoded. Nothing for an empty value,
// another scheme ("file:", "javascript:", "ftp:"), a drive or UNC path, or a value holding a
// backslash or a control character.
std::optional<base::TextValue> webAddressToOpen(const base::TextValue& address);

// The address to open in the file manager: "FTP://" + user + ":" + password + "@" + server. User
// and password are percent-encoded but for ASCII letters, digits and "-._~" (so a "/", ":" or "@"
// in them cannot change the server); the server keeps the ASCII characters of a host and path, the
// rest encoded. Nothing when the server is empty.
std::optional<base::TextValue> ftpAddressToOpen(const base::TextValue& user, const base::TextValue& password,
                                                const base::TextValue& server);

// Whether `text` is a plain host name: letters, digits, "." and "-", optionally ":" and a port.
bool isHostName(const base::TextValue& text);

}  // namespace links
