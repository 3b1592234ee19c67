#include "settings/FileNames.h"

namespace FileNames {

bool ContainsExtension(const QString& name, const QString& extension) {
    return name.contains(extension, Qt::CaseSensitive);
}

QString WithExtension(const QString& name, const QString& extension) {
    return ContainsExtension(name, extension) ? name : name + extension;
}

}  // namespace FileNames
