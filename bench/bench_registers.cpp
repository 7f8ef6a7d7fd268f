// Figures for the vote register of 200 motions: the .xlsx and CSV exports and
// a PDF of every page, each written through the same path the page uses.

#include "BenchMain.h"
#include "reports/RegisterExport.h"

#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

RegisterTable voteRegister()
{
    RegisterTable table;
    const int widths[] = {40, 320, 50, 50, 50, 50, 50, 50, 100, 150};
    const char* headings[] = {"序号", "议题名称", "应到人数", "实到人数", "赞成",
                              "反对", "弃权",     "未按键",   "结果",     "表决时间"};
    for (int c = 0; c < 10; ++c)
        table.addColumn(QString::fromUtf8(headings[c]), widths[c], c != 1);
    for (int i = 1; i <= 200; ++i)
        table.rows << QStringList{QString::number(i),
                                  QStringLiteral("关于第 %1 号议案的表决 Motion %1").arg(i),
                                  "249",
                                  "231",
                                  QString::number(150 + i % 50),
                                  QString::number(40 - i % 30),
                                  "12",
                                  "3",
                                  i % 4 ? QStringLiteral("通过") : QStringLiteral("未通过"),
                                  "2026/03/01/-10:01:00"};
    return table;
}

void exportAs(benchmark::State& state, RegisterExport::Format format, const char* name)
{
    QTemporaryDir folder;
    const RegisterTable table = voteRegister();
    const RegisterHeading heading{QStringLiteral("全体会议 Plenary"),   QStringLiteral("表决结果"),
                                  QStringLiteral("2026-03-01"),         QStringLiteral("打印日期："),
                                  QStringLiteral("第 %1 页，共 %2 页"), QString()};
    const QString path = folder.filePath(QLatin1String(name));
    for (auto _ : state)
        if (!RegisterExport::write(path, format, table, heading))
            state.SkipWithError("write failed");
}

void BM_Xlsx200Motions(benchmark::State& state)
{
    exportAs(state, RegisterExport::Format::Xlsx, "votes.xlsx");
}
BENCHMARK(BM_Xlsx200Motions)->Unit(benchmark::kMillisecond);

void BM_Csv200Motions(benchmark::State& state)
{
    exportAs(state, RegisterExport::Format::Csv, "votes.csv");
}
BENCHMARK(BM_Csv200Motions)->Unit(benchmark::kMillisecond);

void BM_PdfOfAllPages200Motions(benchmark::State& state)
{
    exportAs(state, RegisterExport::Format::Pdf, "votes.pdf");
}
BENCHMARK(BM_PdfOfAllPages200Motions)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QGuiApplication>(argc, argv);
}
