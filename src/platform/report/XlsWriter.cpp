#include "platform/report/XlsWriter.h"

#include <QHash>
#include <QList>
#include <QtEndian>

namespace {
class Bytes
{
public:
    QByteArray data;
    void u8(int v) { data.append(char(v & 0xFF)); }
    void u16(int v) { u8(v), u8(v >> 8); }
    void u32(quint32 v) { u16(int(v & 0xFFFF)), u16(int(v >> 16)); }
    void utf16(const QString &s)
    {
        for (QChar c : s)
            u16(c.unicode());
    }
};

void record(QByteArray &out, int type, const QByteArray &body)
{
    Bytes b;
    b.u16(type);
    b.u16(int(body.size()));
    out += b.data + body;
}

constexpr int MaxRecord = 8224; // the largest body of a BIFF8 record

// The shared string table, continued over CONTINUE records when it outgrows one record. A
// string split over a CONTINUE starts that record with its option byte again.
void sharedStrings(QByteArray &out, const QStringList &strings, int references)
{
    QList<QByteArray> bodies;
    Bytes cur;
    cur.u32(quint32(references));
    cur.u32(quint32(strings.size()));
    for (const QString &s : strings) {
        if (cur.data.size() + 3 + 2 > MaxRecord) { // the header and one character stay together
            bodies << cur.data;
            cur = Bytes();
        }
        cur.u16(int(s.size()));
        cur.u8(0x01); // UTF-16
        int i = 0;
        while (i < s.size()) {
            const int room = (MaxRecord - int(cur.data.size())) / 2;
            if (room <= 0) {
                bodies << cur.data;
                cur = Bytes();
                cur.u8(0x01);
                continue;
            }
            const int n = qMin(room, int(s.size()) - i);
            cur.utf16(s.mid(i, n));
            i += n;
        }
    }
    bodies << cur.data;
    for (int i = 0; i < bodies.size(); ++i)
        record(out, i == 0 ? 0x00FC : 0x003C, bodies[i]);
}

QByteArray font()
{
    Bytes b;
    b.u16(200); // 10 pt
    b.u16(0);
    b.u16(0x7FFF);
    b.u16(400);
    b.u16(0);
    b.u8(0);
    b.u8(0);
    b.u8(222); // Thai character set
    b.u8(0);
    const QString name = QStringLiteral("Tahoma");
    b.u8(int(name.size()));
    b.u8(0);
    b.data += name.toLatin1();
    return b.data;
}

constexpr int MoneyFormat = 164; // the first index of a workbook's own number formats
constexpr int GeneralCell = 15, MoneyCell = 16; // the cells' XF records

QByteArray xf(bool style, int numberFormat = 0)
{
    Bytes b;
    b.u16(0); // font
    b.u16(numberFormat); // 0: General
    b.u16(style ? 0xFFF5 : 0x0001); // locked; a style record, or a cell of style 0
    b.u8(0x20); // bottom aligned
    b.u8(0);
    b.u8(0);
    // A cell's own attributes: font, alignment, border, fill, protection, and its number format
    // where it has one.
    b.u8(style ? 0 : (numberFormat ? 0xFC : 0xF8));
    b.u32(0);
    b.u32(0);
    b.u16(0x20C0);
    return b.data;
}

// The compound file around the workbook stream: header, stream sectors, FAT, directory.
QByteArray compoundFile(QByteArray stream)
{
    if (stream.size() < 4096) // smaller streams would belong in the mini stream
        stream.append(QByteArray(4096 - stream.size(), '\0'));
    const int sector = 512;
    const int dataSectors = (int(stream.size()) + sector - 1) / sector;
    stream.append(QByteArray(dataSectors * sector - stream.size(), '\0'));
    // The header lists the first 109 FAT sectors; a longer FAT goes on in DIFAT sectors of 127
    // entries each (from about 7 MB on).
    int fatSectors = 1, difatSectors = 0;
    for (;;) {
        difatSectors = fatSectors > 109 ? (fatSectors - 109 + 126) / 127 : 0;
        if (fatSectors * 128 >= dataSectors + fatSectors + difatSectors + 1)
            break;
        ++fatSectors;
    }
    const quint32 EndOfChain = 0xFFFFFFFE, Free = 0xFFFFFFFF, FatSect = 0xFFFFFFFD,
                  DifSect = 0xFFFFFFFC;
    const int difatStart = dataSectors + fatSectors;
    const int dirSector = difatStart + difatSectors;

    Bytes h;
    h.data += QByteArray::fromHex("D0CF11E0A1B11AE1");
    h.data += QByteArray(16, '\0');
    h.u16(0x003E);
    h.u16(0x0003);
    h.u16(0xFFFE);
    h.u16(9);
    h.u16(6);
    h.data += QByteArray(6, '\0');
    h.u32(0);
    h.u32(quint32(fatSectors));
    h.u32(quint32(dirSector));
    h.u32(0);
    h.u32(4096);
    h.u32(EndOfChain);
    h.u32(0);
    h.u32(difatSectors ? quint32(difatStart) : EndOfChain);
    h.u32(quint32(difatSectors));
    for (int i = 0; i < 109; ++i)
        h.u32(i < fatSectors ? quint32(dataSectors + i) : Free);

    Bytes fat;
    for (int i = 0; i < dataSectors; ++i)
        fat.u32(i + 1 < dataSectors ? quint32(i + 1) : EndOfChain);
    for (int i = 0; i < fatSectors; ++i)
        fat.u32(FatSect);
    for (int i = 0; i < difatSectors; ++i)
        fat.u32(DifSect);
    fat.u32(EndOfChain); // the directory
    while (fat.data.size() < fatSectors * sector)
        fat.u32(Free);

    Bytes difat;
    for (int d = 0; d < difatSectors; ++d) {
        for (int j = 0; j < 127; ++j) {
            const int k = 109 + d * 127 + j;
            difat.u32(k < fatSectors ? quint32(dataSectors + k) : Free);
        }
        difat.u32(d + 1 < difatSectors ? quint32(difatStart + d + 1) : EndOfChain);
    }

    auto entry = [](const QString &name, int type, quint32 child, quint32 start, quint32 size) {
        Bytes e;
        e.utf16(name);
        e.data.append(QByteArray(64 - e.data.size(), '\0'));
        e.u16(name.isEmpty() ? 0 : int(name.size() + 1) * 2);
        e.u8(type);
        e.u8(1); // black
        e.u32(0xFFFFFFFF);
        e.u32(0xFFFFFFFF);
        e.u32(child);
        e.data.append(QByteArray(16 + 4 + 16, '\0')); // class id, state bits, times
        e.u32(start);
        e.u32(size);
        e.u32(0);
        return e.data;
    };
    QByteArray dir;
    dir += entry(QStringLiteral("Root Entry"), 5, 1, EndOfChain, 0);
    dir += entry(QStringLiteral("Workbook"), 2, 0xFFFFFFFF, 0, quint32(stream.size()));
    dir += entry(QString(), 0, 0xFFFFFFFF, 0, 0);
    dir += entry(QString(), 0, 0xFFFFFFFF, 0, 0);
    return h.data + stream + fat.data + difat.data + dir;
}
} // namespace

QByteArray XlsWriter::toBytes(const QString &sheetName) const
{
    // The shared strings and the cells that point into them.
    QStringList strings;
    QHash<QString, int> index;
    int lastRow = -1, lastColumn = -1, textCells = 0;
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
        if (it.key().first >= MaxRows || it.key().second >= MaxColumns)
            return {};
        if (!it->isNumber) {
            ++textCells;
            if (!index.contains(it->text)) {
                index.insert(it->text, int(strings.size()));
                strings << it->text;
            }
        }
        lastRow = qMax(lastRow, it.key().first);
        lastColumn = qMax(lastColumn, it.key().second);
    }

    auto bof = [](int type) {
        Bytes b;
        b.u16(0x0600);
        b.u16(type);
        b.u16(0x0DBB);
        b.u16(0x07CC);
        b.u32(0);
        b.u32(0x06);
        return b.data;
    };

    QByteArray globals;
    record(globals, 0x0809, bof(0x0005));
    {
        Bytes b;
        b.u16(1200); // UTF-16
        record(globals, 0x0042, b.data);
    }
    {
        Bytes b;
        b.u16(0), b.u16(0), b.u16(0x4000), b.u16(0x2000), b.u16(0x0038);
        b.u16(0), b.u16(0), b.u16(1), b.u16(0x0258);
        record(globals, 0x003D, b.data);
    }
    for (int i = 0; i < 5; ++i)
        record(globals, 0x0031, font());
    {
        Bytes b;
        const QString money = QStringLiteral("#,##0.00");
        b.u16(MoneyFormat);
        b.u16(int(money.size()));
        b.u8(0x01);
        b.utf16(money);
        record(globals, 0x041E, b.data);
    }
    for (int i = 0; i < 15; ++i)
        record(globals, 0x00E0, xf(true));
    record(globals, 0x00E0, xf(false)); // GeneralCell
    record(globals, 0x00E0, xf(false, MoneyFormat)); // MoneyCell
    {
        Bytes b;
        b.u16(0x8000), b.u8(0), b.u8(0xFF);
        record(globals, 0x0293, b.data);
    }
    // BOUNDSHEET carries the sheet's offset, patched once the globals are complete.
    const int boundSheetAt = int(globals.size());
    {
        Bytes b;
        b.u32(0);
        b.u8(0), b.u8(0);
        b.u8(int(sheetName.size()));
        b.u8(0x01);
        b.utf16(sheetName);
        record(globals, 0x0085, b.data);
    }
    sharedStrings(globals, strings, textCells);
    record(globals, 0x000A, QByteArray());

    QByteArray sheet;
    record(sheet, 0x0809, bof(0x0010));
    {
        Bytes b;
        b.u32(0), b.u32(quint32(lastRow + 1)), b.u16(0), b.u16(lastColumn + 1), b.u16(0);
        record(sheet, 0x0200, b.data);
    }
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
        Bytes b;
        b.u16(it.key().first), b.u16(it.key().second);
        if (it->isNumber) {
            b.u16(it->format == NumberFormat::Money ? MoneyCell : GeneralCell);
            b.data.append(QByteArray(8, '\0'));
            qToLittleEndian<double>(it->number, b.data.data() + 6);
            record(sheet, 0x0203, b.data);
        } else {
            b.u16(GeneralCell);
            b.u32(quint32(index.value(it->text)));
            record(sheet, 0x00FD, b.data);
        }
    }
    {
        Bytes b;
        b.u16(0x06B6), b.u16(0), b.u16(0), b.u32(0x40), b.u16(0), b.u16(0), b.u32(0);
        record(sheet, 0x023E, b.data);
    }
    record(sheet, 0x000A, QByteArray());

    qToLittleEndian<quint32>(quint32(globals.size()), globals.data() + boundSheetAt + 4);
    return compoundFile(globals + sheet);
}
