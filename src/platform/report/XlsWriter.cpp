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

QByteArray xf(bool style)
{
    Bytes b;
    b.u16(0); // font
    b.u16(0); // number format: General
    b.u16(style ? 0xFFF5 : 0x0001); // locked; a style record, or a cell of style 0
    b.u8(0x20); // bottom aligned
    b.u8(0);
    b.u8(0);
    b.u8(style ? 0 : 0xF8);
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
    int fatSectors = 1;
    while (fatSectors * 128 < dataSectors + fatSectors + 1)
        ++fatSectors;
    if (fatSectors > 109)
        return {};
    const quint32 EndOfChain = 0xFFFFFFFE, Free = 0xFFFFFFFF, FatSect = 0xFFFFFFFD;
    const int dirSector = dataSectors + fatSectors;

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
    h.u32(EndOfChain);
    h.u32(0);
    for (int i = 0; i < 109; ++i)
        h.u32(i < fatSectors ? quint32(dataSectors + i) : Free);

    Bytes fat;
    for (int i = 0; i < dataSectors; ++i)
        fat.u32(i + 1 < dataSectors ? quint32(i + 1) : EndOfChain);
    for (int i = 0; i < fatSectors; ++i)
        fat.u32(FatSect);
    fat.u32(EndOfChain); // the directory
    while (fat.data.size() < fatSectors * sector)
        fat.u32(Free);

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
    return h.data + stream + fat.data + dir;
}
} // namespace

QByteArray XlsWriter::toBytes(const QString &sheetName) const
{
    // The shared strings and the cells that point into them.
    QStringList strings;
    QHash<QString, int> index;
    int lastRow = -1, lastColumn = -1;
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
        if (it.key().first > 65535 || it.key().second > 255)
            return {};
        if (!index.contains(it.value())) {
            index.insert(it.value(), int(strings.size()));
            strings << it.value();
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
    for (int i = 0; i < 15; ++i)
        record(globals, 0x00E0, xf(true));
    record(globals, 0x00E0, xf(false));
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
    sharedStrings(globals, strings, int(m_cells.size()));
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
        b.u16(it.key().first), b.u16(it.key().second), b.u16(15);
        b.u32(quint32(index.value(it.value())));
        record(sheet, 0x00FD, b.data);
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
