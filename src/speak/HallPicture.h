#pragma once
// The picture behind the seats: chosen by the operator, copied into
// System/photo/ and named in the settings row's `ico`.

#include <QImage>
#include <QString>

namespace HallPicture {

enum class Result
{
    Copied,
    NotAPicture,
    CopyFailed
};

struct Imported
{
    Result result = Result::CopyFailed;
    QString fileName; // under System/photo/, when copied
};

// Copies the file into System/photo/. A different picture already there under
// the same name is kept: the copy then gets a name of its own.
Imported import(const QString& sourcePath);
// The picture named in `ico`; a null image when there is none or it cannot be read.
QImage load(const QString& fileName);

} // namespace HallPicture
