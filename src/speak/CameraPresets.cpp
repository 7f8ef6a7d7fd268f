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

CameraPresets::CameraPresets() : CameraPresets(ProgramFolder::filePath(QLatin1String(kFile))) {}

CameraPresets::CameraPresets(const QString& path) : m_path(path) {}

int CameraPresets::selectedCamera() const
{
    bool ok = false;
    const int index = IniFile::readString(m_path, kSetSection, kSetKey).toInt(&ok);
    return ok && index >= 0 && index < kCameras ? index : 0;
}

bool CameraPresets::selectCamera(int index)
{
    if (index < 0 || index >= kCameras)
        return false;
    return IniFile::writeString(m_path, kSetSection, kSetKey, QString::number(index));
}

bool CameraPresets::savePreset(int camera, int unit)
{
    return IniFile::writeString(m_path, cameraSection(camera), cellKey(unit), QString::number(unit));
}

bool CameraPresets::clearPresets(int camera)
{
    return IniFile::removeSection(m_path, cameraSection(camera));
}

CameraPresets::Overview CameraPresets::overview(int camera, int unitCount) const
{
    const IniFile::Snapshot file = IniFile::readAll(m_path);
    const QString section = cameraSection(camera);
    Overview lists;
    int without = 0;
    for (int n = 1; n <= unitCount; ++n) {
        const QString value = file.readString(section, cellKey(n));
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
