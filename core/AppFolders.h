#pragma once
// Where the running application writes its own files: the printed documents (printed/)
// and the field-definition files (ttx/). A copy run from its build folder or from a
// folder of its own keeps them beside the executable; an installed copy, whose folder
// it cannot write, keeps them under the user's documents folder, in Quelby/.

#include <QString>

namespace AppFolders {

// The folder named `name` beside the executable when that folder can be written, else
// Quelby/`name` under the user's documents folder. The folder itself is not made.
QString OutputFolder(const QString &name);
// The same rule for a given application folder.
QString OutputFolder(const QString &applicationFolder, const QString &name);

}  // namespace AppFolders
