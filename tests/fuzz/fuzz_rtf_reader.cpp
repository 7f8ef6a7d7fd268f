// The RTF reader on any bytes, into a document as the document page and the hall screen use it.
#include "FuzzInput.h"
#include "screen/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QTextDocument document;
    RtfReader reader;
    reader.read(fuzzBytes(data, size), &document);
    return 0;
}
