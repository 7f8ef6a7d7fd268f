// The INI reader on any file, UTF-8 or UTF-16 with a byte-order mark: every section and key.
#include "FuzzInput.h"
#include "core/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzFile(data, size, QStringLiteral("input.ini"));
    for (const QString& section : IniFile::sectionNames(path))
        for (const auto& [key, value] : IniFile::readSection(path, section))
            IniFile::readString(path, section, key, QString());
    return 0;
}
