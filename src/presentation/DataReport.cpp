#include "presentation/DataReport.h"

#include "app/ProgramState.h"
#include "i18n/MessageCatalogue.h"
#include "evaluation/MeasurementTable.h"
#include "presentation/JpegLogo.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace {
constexpr double BandLeft = 38, HeaderTop = 38, DetailTop = 169, LineHeight = 15;
constexpr double PageBottom = (297.0 - 10.0) / 25.4 * 96;
constexpr double HeaderLefts[DataReportColumns] = {2, 46, 90, 134, 178, 222, 266, 310, 354, 398, 442, 486, 530, 574, 618, 662};
constexpr double DetailLefts[DataReportColumns] = {2, 46, 90, 134, 178, 222, 266, 310, 354, 398, 442, 486, 530, 576, 618, 662};
// The logo's box (95 x 62 from top -2) would cover the page number at its design place
// (top 38); it prints below the logo and below the job's two lines, above the column headers.
constexpr double PageNumberTop = 94;

// The grid's small sans face.
QFont GridFont()
{
    return ReportFont(8);
}

TReportLabel InBand(double top, QRectF box, const QString& text, Qt::Alignment align, const QFont& font)
{
    return {box.translated(BandLeft, top), text, align | Qt::AlignTop, font};
}
} // namespace

int DataReportRowsPerPage()
{
    return int((PageBottom - DetailTop) / LineHeight);
}

std::vector<TReportLabel> DataReportHeader(const TProgramState& state, int page)
{
    const TMainTexts& t = state.Texts;
    const TMainCaptions& l = state.Captions;
    const TTestRecord& record = state.Record();
    const QFont normal = ReportFont(10);
    std::vector<TReportLabel> labels{
        InBand(HeaderTop, QRectF(0, 6, 718, 22), MessageText(QStringLiteral("QRdata_titul")), Qt::AlignHCenter,
               ReportFont(12, true, true)),
        InBand(HeaderTop, QRectF(662, PageNumberTop, 56, 14), QStringLiteral("List:     ") + QString::number(page), Qt::AlignLeft,
               ReportFont(8)),
        InBand(HeaderTop, QRectF(6, 32, 140, 16), l.Lcislo_mereni, Qt::AlignLeft, normal),
        InBand(HeaderTop, QRectF(152, 33, 45, 16), t.Hcislo_mereni, Qt::AlignRight, ReportFont(10, true)),
        InBand(HeaderTop, QRectF(6, 52, 95, 16), l.Llokalita, Qt::AlignLeft, normal),
        {QRectF(103, 52, 261, 32).translated(BandLeft, HeaderTop), t.Hlokalita, Qt::AlignLeft | Qt::AlignTop, normal,
         Qt::black, true},
        InBand(HeaderTop, QRectF(384, 56, 78, 16), l.Lzakazka, Qt::AlignLeft, normal),
        {QRectF(464, 56, 240, 36).translated(BandLeft, HeaderTop), t.Hzakazka, Qt::AlignLeft | Qt::AlignTop, normal,
         Qt::black, true},
        InBand(HeaderTop, QRectF(6, 88, 95, 16), l.Ldatum, Qt::AlignLeft, normal),
        InBand(HeaderTop, QRectF(104, 87, 79, 16), t.Hdatum, Qt::AlignRight, normal),
    };
    const int columns = std::min(DataReportColumns, MeasurementColCount(record));
    for (int col = 0; col < columns; ++col)
        labels.push_back(InBand(HeaderTop, QRectF(HeaderLefts[col], 110, 43, 14), MeasurementCellText(record, col, 0).trimmed(),
                                Qt::AlignRight, GridFont()));
    return labels;
}

std::vector<TReportLabel> DataReportLine(const TTestRecord& record, int gridRow, int line)
{
    std::vector<TReportLabel> labels;
    const double top = DetailTop + line * LineHeight;
    const int columns = std::min(DataReportColumns, MeasurementColCount(record));
    for (int col = 0; col < columns; ++col)
        labels.push_back(InBand(top, QRectF(DetailLefts[col], 0, 43, LineHeight), MeasurementCellText(record, col, gridRow).trimmed(),
                                Qt::AlignRight, GridFont()));
    return labels;
}

void PrintDataReport(QPagedPaintDevice& device, const TProgramState& state, const QImage& logo)
{
    PrepareReportDevice(device, false);
    QPainter painter(&device);
    const TReportCanvas canvas(painter, 96);
    const TReportPicture picture = PlaceLogo(logo, QRectF(624 + BandLeft, HeaderTop - 2, 95, 62), 719 + BandLeft);
    const TTestRecord& record = state.Record();
    const int tableRows = MeasurementRowCount(record); // header row included
    const int perPage = DataReportRowsPerPage();
    const int pages = std::max(1, (tableRows - 1 + perPage - 1) / perPage);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            device.newPage();
        canvas.Draw(picture);
        for (const TReportLabel& label : DataReportHeader(state, page))
            canvas.Draw(label);
        painter.setPen(QPen(Qt::black, canvas.Scale()));
        const QRectF rule = canvas.Device(QRectF(BandLeft, HeaderTop + 128, 705, 0));
        painter.drawLine(rule.topLeft(), rule.topRight());
        const int first = 1 + (page - 1) * perPage;
        for (int row = first; row < std::min(tableRows, first + perPage); ++row)
            for (const TReportLabel& label : DataReportLine(record, row, row - first))
                canvas.Draw(label);
    }
}

void WriteDataReportPdf(const QString& path, const TProgramState& state)
{
    const QImage logo = ReportLogo();
    WriteReportPdf(path, MessageText(QStringLiteral("QRdata_titul")), 300,
                   [&](QPagedPaintDevice& device) { PrintDataReport(device, state, logo); });
}
