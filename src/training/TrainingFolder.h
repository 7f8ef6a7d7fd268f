#pragma once
// The program folder of a rehearsal: the user's data folder + "training/",
// made afresh from the real program folder each time training starts, so a
// rehearsal begins with the real meetings as they are and never writes to them.

#include <QString>
#include <QStringList>

namespace TrainingFolder {

// The parts of a program folder a rehearsal needs: settings and tables, meeting databases, their files, help.
inline const QStringList kParts = {QStringLiteral("System"),       QStringLiteral("Data"),
                                   QStringLiteral("MeeFile"),      QStringLiteral("Help.html"),
                                   QStringLiteral("Help_zh.html"), QStringLiteral("Help_pt.html"),
                                   QStringLiteral("Help.css")};

// dataHome + "/training".
QString under(const QString& dataHome);

// Empties `training` and copies the parts of `real` into it. Refused (with the
// reason) when one folder holds the other the wrong way round: emptying the
// training folder must never touch the real one.
bool seed(const QString& real, const QString& training, QString* error = nullptr);

} // namespace TrainingFolder
