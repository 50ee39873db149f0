// A file association made real on a freedesktop desktop: a MIME type whose
// glob is the extension (in $XDG_DATA_HOME/mime, the database rebuilt), an
// application entry whose Exec is the open command and whose Icon is the
// icon (in $XDG_DATA_HOME/applications), and that entry as the type's
// default application (in $XDG_CONFIG_HOME/mimeapps.list). Each file is
// replaced whole, so a reader never sees half of one.
#pragma once

#include <string>

namespace OvCore {

// "application/x-" and the type name in lower case, characters a MIME type
// may not hold made '-'.
std::string DesktopMimeType(const char* typeName);
// The application entry's file name.
std::string DesktopEntryName(const char* typeName);
// A Windows open command as an Exec value: its arguments quoted where the
// entry format needs it, "%1" or "%L" becoming the file (%f), other '%'
// doubled, control characters blanked. A field code is never quoted: an
// argument that needs quotes is split around its field code.
std::string DesktopExecLine(const char* openCommand);
// The mimeapps.list text with `mimeType`'s default set to `entry`, every
// other line kept.
std::string WithDefaultApplication(const std::string& list, const std::string& mimeType, const std::string& entry);

// Writes the three files and rebuilds the user's MIME database; false when
// any of it fails, and without writing anything when neither HOME nor the
// XDG folder variables give an absolute path (reason in the diagnostics).
bool WriteDesktopAssociation(const char* typeName, const char* extension, const char* openCommand, const char* icon);

}  // namespace OvCore
