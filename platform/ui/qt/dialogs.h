#pragma once

// The modal boxes of the layer: the file-open dialog and the error box.

#include "platform/ui/components.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QWidget;

namespace components::qt {

// A file pattern of the filter as a Linux dialog matches it. Windows matches
// names without case; file dialogs on Linux may not (GTK's do not, nor does
// Qt's model when asked for QDir::CaseSensitive), so letters are spelt in both
// cases (" *.CSV" gives "*.[Cc][Ss][Vv]"). "*.*", every file on Windows, is "*".
// Several patterns may stand separated by ";"; they come out separated by blanks.
QString QtPatterns(const std::string& patterns);

// The filter entries as QFileDialog's name filters: the description, then the
// patterns in brackets, which the dialog is asked to hide.
QStringList NameFiltersFor(const std::vector<FilterEntry>& entries);

// Shows the open dialog over `owner`, starting in `directory` (the current one
// when empty); on OK sets dialog.FileName and `directory`, and returns true.
bool RunOpenDialog(OpenDialog& dialog, QWidget* owner, QString& directory);

// A modal box with the stop icon, `text` and one OK button.
void RunErrorBox(const std::string& text, const std::string& caption, QWidget* owner);

} // namespace components::qt
