#include "speak/CameraPresets.h"

#include "core/IniFile.h"
#include "core/ProgramFolder.h"

namespace {

const QString kSetSection = QStringLiteral("Vidset");
const QString kSetKey = QStringLiteral("SetVid");
constexpr int kNumbersPerLine = 15;

QString cameraSection(int camera)
{
    return QStringLiteral("VID%1").arg(camera);
}

QString cellKey(int unit)
{
    return QStringLiteral("cell%1").arg(unit);
}

} // namespace

QString CameraPresets::file()
{
    return ProgramFolder::filePath(QLatin1String(kFile));
}

int CameraPresets::selectedCamera() const
{
    bool ok = false;
    const int index = IniFile::readString(file(), kSetSection, kSetKey).toInt(&ok);
    return ok && index >= 0 && index < kCameras ? index : 0;
}

bool CameraPresets::selectCamera(int index)
{
    if (index < 0 || index >= kCameras)
        return false;
    return IniFile::writeString(file(), kSetSection, kSetKey, QString::number(index));
}

bool CameraPresets::savePreset(int camera, int unit)
{
    return IniFile::writeString(file(), cameraSection(camera), cellKey(unit), QString::number(unit));
}

bool CameraPresets::clearPresets(int camera)
{
    return IniFile::removeSection(file(), cameraSection(camera));
}

CameraPresets::Overview CameraPresets::overview(int camera, int unitCount) const
{
    const IniFile::Snapshot stored = IniFile::readAll(file());
    const QString section = cameraSection(camera);
    Overview lists;
    int without = 0;
    for (int n = 1; n <= unitCount; ++n) {
        const QString value = stored.readString(section, cellKey(n));
        if (!value.isEmpty()) {
            lists.withPreset += value + u':';
            continue;
        }
        if (++without % kNumbersPerLine == 0)
            lists.withoutPreset += u'\n';
        lists.withoutPreset += QString::number(n) + QStringLiteral(" :");
    }
    return lists;
}

std::optional<int> CameraPresets::unitNumber(const QString& text, int unitCount)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 3)
        return std::nullopt;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const int unit = digits.toInt();
    if (unit < 1 || unit > unitCount)
        return std::nullopt;
    return unit;
}
