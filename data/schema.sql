-- Kasmo database layout (SQLite 3)
-- Keys: tblLog.LPK and tblRMoney.PK are numbered by SQLite; every other key
-- is assigned by the program as max + 1.
-- Booleans are 0/1, money is REAL, date-times 'yyyy-MM-dd HH:mm:ss', dates 'yyyy-MM-dd'.

PRAGMA journal_mode=WAL;
-- Layout version 3; later versions come from data/upgrade/<N>.sql.
PRAGMA user_version = 3;

-- Products
CREATE TABLE tblProduct (
    PK          INTEGER PRIMARY KEY,
    PDsn        TEXT    NOT NULL COLLATE NOCASE,   -- code or barcode
    PDname      TEXT    NOT NULL DEFAULT '' COLLATE NOCASE,
    PDdes       TEXT    DEFAULT '' COLLATE NOCASE,
    PDvalue     INTEGER NOT NULL DEFAULT 0,        -- stock on hand, may be negative
    PDerror     INTEGER NOT NULL DEFAULT 0,        -- low-stock limit
    PDsell      REAL    NOT NULL DEFAULT 0,        -- normal price
    Praka1      REAL    NOT NULL DEFAULT 0,        -- special price 1
    Praka2      REAL    NOT NULL DEFAULT 0,        -- special price 2
    PDraka      REAL    NOT NULL DEFAULT 0,        -- cost price
    PSong       INTEGER NOT NULL DEFAULT 0,        -- wholesale on
    PNumSong    INTEGER,                           -- wholesale from this quantity
    PRakaSong   REAL    NOT NULL DEFAULT 0,        -- wholesale unit price
    PAuto       INTEGER NOT NULL DEFAULT 0,        -- code made automatically
    PDpic       TEXT    DEFAULT '',       -- picture file in data/pic
    NubFK       INTEGER NOT NULL DEFAULT 0,        -- tblNub.nPK, 0 = none
    GroupFK     INTEGER NOT NULL DEFAULT 0,        -- tblGroup.gPK, 0 = none
    GebFK       INTEGER NOT NULL DEFAULT 0         -- tblGeb.gePK, 0 = none
);
CREATE UNIQUE INDEX ixProductSn    ON tblProduct (PDsn COLLATE NOCASE);
CREATE INDEX        ixProductName  ON tblProduct (PDname);
CREATE INDEX        ixProductNub   ON tblProduct (NubFK);
CREATE INDEX        ixProductGroup ON tblProduct (GroupFK);
CREATE INDEX        ixProductGeb   ON tblProduct (GebFK);

-- Substring search over code, name and description: a trigram index kept in step with
-- tblProduct by the triggers below; the texts themselves stay in tblProduct only.
CREATE VIRTUAL TABLE ftsProduct USING fts5 (
    PDsn, PDname, PDdes, content = 'tblProduct', content_rowid = 'PK', tokenize = 'trigram'
);
CREATE TRIGGER trProductSearchInsert AFTER INSERT ON tblProduct BEGIN
    INSERT INTO ftsProduct (rowid, PDsn, PDname, PDdes)
        VALUES (new.PK, new.PDsn, new.PDname, new.PDdes);
END;
CREATE TRIGGER trProductSearchDelete AFTER DELETE ON tblProduct BEGIN
    INSERT INTO ftsProduct (ftsProduct, rowid, PDsn, PDname, PDdes)
        VALUES ('delete', old.PK, old.PDsn, old.PDname, old.PDdes);
END;
CREATE TRIGGER trProductSearchUpdate AFTER UPDATE OF PK, PDsn, PDname, PDdes ON tblProduct BEGIN
    INSERT INTO ftsProduct (ftsProduct, rowid, PDsn, PDname, PDdes)
        VALUES ('delete', old.PK, old.PDsn, old.PDname, old.PDdes);
    INSERT INTO ftsProduct (rowid, PDsn, PDname, PDdes)
        VALUES (new.PK, new.PDsn, new.PDname, new.PDdes);
END;

-- Sale lines, one row per product line of a receipt
CREATE TABLE tblLog (
    LPK         INTEGER PRIMARY KEY,
    Lsn         TEXT    NOT NULL DEFAULT '' COLLATE NOCASE,
    Lname       TEXT    NOT NULL DEFAULT '' COLLATE NOCASE,   -- keeps its leading blank
    Ldes        TEXT    DEFAULT '' COLLATE NOCASE,
    Lvalue      INTEGER NOT NULL DEFAULT 0,        -- quantity
    Lnub        TEXT    DEFAULT '',       -- unit name at the time of sale
    Lsell       REAL    NOT NULL DEFAULT 0,        -- unit price
    Lraka       REAL    NOT NULL DEFAULT 0,        -- cost price
    Ldate       TEXT    NOT NULL,                  -- yyyy-MM-dd HH:mm:ss
    LUser       TEXT    NOT NULL DEFAULT '' COLLATE NOCASE,
    LTumnang    TEXT    DEFAULT '',
    Ldate2      TEXT    NOT NULL,                  -- yyyy-MM-dd
    Lno         TEXT    NOT NULL COLLATE NOCASE,   -- receipt number
    Lrod        REAL    NOT NULL DEFAULT 0,        -- receipt discount, first line only
    Lsong       INTEGER NOT NULL DEFAULT 0,        -- receipt has a wholesale line
    Lraka12     INTEGER NOT NULL DEFAULT 0         -- price type 0, 1, 2
);
CREATE INDEX ixLogNo    ON tblLog (Lno);
CREATE INDEX ixLogDate  ON tblLog (Ldate);
CREATE INDEX ixLogDate2 ON tblLog (Ldate2);
CREATE INDEX ixLogUser  ON tblLog (LUser);
CREATE INDEX ixLogSn    ON tblLog (Lsn);

-- Per day, the sums the totals views show, kept in step with the sale lines by the triggers
-- below.
CREATE TABLE tblDayTotal (
    tDay        TEXT    NOT NULL,   -- the day of Ldate (its first ten characters)
    tDate2      TEXT    NOT NULL,   -- Ldate2
    tLines      INTEGER NOT NULL,   -- lines counted; a row goes when it reaches 0
    tRod        INTEGER NOT NULL,   -- discounts as shown, in satang
    tAmount     INTEGER NOT NULL,   -- price times quantity, in ten-thousandths of a baht
    tCost       INTEGER NOT NULL,   -- cost as shown times quantity, in satang
    tSales      INTEGER NOT NULL,   -- price as shown times quantity, in satang
    PRIMARY KEY (tDay, tDate2)
) WITHOUT ROWID;
CREATE TRIGGER trDayTotalInsert AFTER INSERT ON tblLog BEGIN
    INSERT INTO tblDayTotal VALUES (substr(new.Ldate, 1, 10), new.Ldate2, 1,
        (CAST(round(new.Lrod * 10000) AS INTEGER) + (CASE WHEN new.Lrod < 0 THEN -50 ELSE 50 END)) / 100,
        CAST(round(new.Lsell * 10000) AS INTEGER) * new.Lvalue,
        ((CAST(round(new.Lraka * 10000) AS INTEGER) + (CASE WHEN new.Lraka < 0 THEN -50 ELSE 50 END)) / 100) * new.Lvalue,
        ((CAST(round(new.Lsell * 10000) AS INTEGER) + (CASE WHEN new.Lsell < 0 THEN -50 ELSE 50 END)) / 100) * new.Lvalue)
    ON CONFLICT (tDay, tDate2) DO UPDATE SET tLines = tLines + 1, tRod = tRod + excluded.tRod,
        tAmount = tAmount + excluded.tAmount, tCost = tCost + excluded.tCost,
        tSales = tSales + excluded.tSales;
END;
CREATE TRIGGER trDayTotalDelete AFTER DELETE ON tblLog BEGIN
    UPDATE tblDayTotal SET tLines = tLines - 1,
        tRod = tRod - (CAST(round(old.Lrod * 10000) AS INTEGER) + (CASE WHEN old.Lrod < 0 THEN -50 ELSE 50 END)) / 100,
        tAmount = tAmount - CAST(round(old.Lsell * 10000) AS INTEGER) * old.Lvalue,
        tCost = tCost - ((CAST(round(old.Lraka * 10000) AS INTEGER) + (CASE WHEN old.Lraka < 0 THEN -50 ELSE 50 END)) / 100) * old.Lvalue,
        tSales = tSales - ((CAST(round(old.Lsell * 10000) AS INTEGER) + (CASE WHEN old.Lsell < 0 THEN -50 ELSE 50 END)) / 100) * old.Lvalue
        WHERE tDay = substr(old.Ldate, 1, 10) AND tDate2 = old.Ldate2;
    DELETE FROM tblDayTotal
        WHERE tDay = substr(old.Ldate, 1, 10) AND tDate2 = old.Ldate2 AND tLines = 0;
END;
CREATE TRIGGER trDayTotalUpdate AFTER UPDATE OF Ldate, Ldate2, Lvalue, Lsell, Lraka, Lrod ON tblLog BEGIN
    UPDATE tblDayTotal SET tLines = tLines - 1,
        tRod = tRod - (CAST(round(old.Lrod * 10000) AS INTEGER) + (CASE WHEN old.Lrod < 0 THEN -50 ELSE 50 END)) / 100,
        tAmount = tAmount - CAST(round(old.Lsell * 10000) AS INTEGER) * old.Lvalue,
        tCost = tCost - ((CAST(round(old.Lraka * 10000) AS INTEGER) + (CASE WHEN old.Lraka < 0 THEN -50 ELSE 50 END)) / 100) * old.Lvalue,
        tSales = tSales - ((CAST(round(old.Lsell * 10000) AS INTEGER) + (CASE WHEN old.Lsell < 0 THEN -50 ELSE 50 END)) / 100) * old.Lvalue
        WHERE tDay = substr(old.Ldate, 1, 10) AND tDate2 = old.Ldate2;
    INSERT INTO tblDayTotal VALUES (substr(new.Ldate, 1, 10), new.Ldate2, 1,
        (CAST(round(new.Lrod * 10000) AS INTEGER) + (CASE WHEN new.Lrod < 0 THEN -50 ELSE 50 END)) / 100,
        CAST(round(new.Lsell * 10000) AS INTEGER) * new.Lvalue,
        ((CAST(round(new.Lraka * 10000) AS INTEGER) + (CASE WHEN new.Lraka < 0 THEN -50 ELSE 50 END)) / 100) * new.Lvalue,
        ((CAST(round(new.Lsell * 10000) AS INTEGER) + (CASE WHEN new.Lsell < 0 THEN -50 ELSE 50 END)) / 100) * new.Lvalue)
    ON CONFLICT (tDay, tDate2) DO UPDATE SET tLines = tLines + 1, tRod = tRod + excluded.tRod,
        tAmount = tAmount + excluded.tAmount, tCost = tCost + excluded.tCost,
        tSales = tSales + excluded.tSales;
    DELETE FROM tblDayTotal
        WHERE tDay = substr(old.Ldate, 1, 10) AND tDate2 = old.Ldate2 AND tLines = 0;
END;
-- Lines with a recorded discount or a price with fractions of a satang, with every column that
-- groups them: the totals views look at these alone to find where a group sums differently.
CREATE INDEX ixLogAdjust ON tblLog (Ldate, Lno, Ldate2, Lsn, Lname, Ldes, Lnub, Lraka, Lsell, Lrod, Lvalue)
    WHERE Lrod != 0 OR CAST(round(Lsell * 10000) AS INTEGER) % 100 != 0;

-- Stock movements: 1 stock update, 2 sale, 3 return
CREATE TABLE tblLog2 (
    PK          INTEGER PRIMARY KEY,
    dType       INTEGER NOT NULL,
    dSN         TEXT    NOT NULL DEFAULT '' COLLATE NOCASE,
    dName       TEXT    NOT NULL DEFAULT '' COLLATE NOCASE,
    dDes        TEXT    DEFAULT '' COLLATE NOCASE,
    dTime       TEXT    NOT NULL,                  -- yyyy-MM-dd HH:mm:ss
    dNo         TEXT    NOT NULL DEFAULT '' COLLATE NOCASE,   -- SA- or INV- number
    dValueold   INTEGER NOT NULL DEFAULT 0,        -- stock before
    dValue      INTEGER NOT NULL DEFAULT 0,        -- quantity moved
    dValuenew   INTEGER NOT NULL DEFAULT 0,        -- stock after
    dUser       TEXT    NOT NULL DEFAULT '' COLLATE NOCASE,
    dMemo       TEXT    DEFAULT ''        -- stock updates only
);
CREATE INDEX ixLog2Time ON tblLog2 (dTime);
CREATE INDEX ixLog2No   ON tblLog2 (dNo);

-- Discount in baht per receipt, only when one was given
CREATE TABLE tblRMoney (
    PK          INTEGER PRIMARY KEY,
    rMoney      REAL    NOT NULL DEFAULT 0,
    rTime       TEXT    NOT NULL,                  -- yyyy-MM-dd HH:mm:ss
    rUser       TEXT    NOT NULL DEFAULT '' COLLATE NOCASE,
    rNo         TEXT    NOT NULL COLLATE NOCASE    -- receipt number
);
CREATE INDEX ixRMoneyNo   ON tblRMoney (rNo);
CREATE INDEX ixRMoneyTime ON tblRMoney (rTime);

-- Counters and switches, rows 1 to 6
-- 1 stock-update no., 2 receipt no., 3 product code,
-- 4 sign-in, 5 ask before saving, 6 cash drawer (numMon = port)
CREATE TABLE tblNumber (
    nPK         INTEGER PRIMARY KEY,
    numA        INTEGER NOT NULL DEFAULT 0,
    numMon      TEXT    NOT NULL DEFAULT '00'
);

-- Users; UPASS is pbkdf2$rounds$salt$hash
CREATE TABLE tblUser (
    PK          INTEGER PRIMARY KEY,
    UID         TEXT    NOT NULL COLLATE NOCASE,
    UPASS       TEXT    NOT NULL,
    UTumnang    TEXT    DEFAULT '',
    ULv1        INTEGER NOT NULL DEFAULT 0,        -- sale page
    ULv2        INTEGER NOT NULL DEFAULT 0,        -- stock page
    ULv3        INTEGER NOT NULL DEFAULT 0,        -- sales summary
    ULv4        INTEGER NOT NULL DEFAULT 0,        -- settings
    ULv5        INTEGER NOT NULL DEFAULT 0         -- movement history
);
CREATE UNIQUE INDEX ixUserUID ON tblUser (UID COLLATE NOCASE);

-- Receipt layout, row 1 only; sizes and lengths are kept as typed (cm, points)
CREATE TABLE tblSetPrint (
    PK          INTEGER PRIMARY KEY,
    text1       TEXT    NOT NULL DEFAULT '',       -- header line 1
    tsize1      TEXT    NOT NULL DEFAULT '13',
    text1B      INTEGER NOT NULL DEFAULT 0,
    text2       TEXT    NOT NULL DEFAULT '',       -- header line 2
    tsize2      TEXT    NOT NULL DEFAULT '14',
    text2B      INTEGER NOT NULL DEFAULT 0,
    sraka       INTEGER NOT NULL DEFAULT 0,        -- show unit price
    pauto       INTEGER NOT NULL DEFAULT 0,        -- print at once
    paperW      TEXT    NOT NULL DEFAULT '7.0',
    paperH      TEXT    NOT NULL DEFAULT '20.0',
    text3       TEXT    NOT NULL DEFAULT '',       -- footer
    paperT      TEXT    NOT NULL DEFAULT '0.3',
    paperD      TEXT    NOT NULL DEFAULT '0.1',
    paperL      TEXT    NOT NULL DEFAULT '0.3',
    paperR      TEXT    NOT NULL DEFAULT '0.3',
    fsize1      TEXT    NOT NULL DEFAULT '13',     -- item lines
    fsize2      TEXT    NOT NULL DEFAULT '15',     -- totals
    fsize3      TEXT    NOT NULL DEFAULT '13'      -- footer
);

-- Barcode label sheet layout, row 1 only; values kept as typed (cm, counts, points)
CREATE TABLE tblSetBarcode (
    PK          INTEGER PRIMARY KEY,
    SpaperW     TEXT    NOT NULL DEFAULT '21.0',   -- paper width
    SpaperH     TEXT    NOT NULL DEFAULT '29.7',   -- paper length
    SKpaperT    TEXT    NOT NULL DEFAULT '1.0',    -- margins
    SKpaperD    TEXT    NOT NULL DEFAULT '0.1',
    SKpaperL    TEXT    NOT NULL DEFAULT '1.0',
    SKpaperR    TEXT    NOT NULL DEFAULT '1.0',
    SSpaperW    TEXT    NOT NULL DEFAULT '1.5',    -- bar height
    SSpaperH    TEXT    NOT NULL DEFAULT '1',      -- bar thickness
    SBHcount    TEXT    NOT NULL DEFAULT '4',      -- labels per row
    SBarR       TEXT    NOT NULL DEFAULT '2.0',    -- spacing across
    SBarD       TEXT    NOT NULL DEFAULT '3.0',    -- spacing down
    SBarcode    TEXT    NOT NULL DEFAULT '8',      -- labels to print
    SFsize      TEXT    NOT NULL DEFAULT '14',     -- barcode text
    SFsize1     TEXT    NOT NULL DEFAULT '13',     -- line 1
    SFsize2     TEXT    NOT NULL DEFAULT '13',     -- line 2
    SFbold1     INTEGER NOT NULL DEFAULT 0,
    SFbold2     INTEGER NOT NULL DEFAULT 0
);

-- Lookup lists; key 0 = none
CREATE TABLE tblNub (
    nPK         INTEGER PRIMARY KEY,
    nName       TEXT    NOT NULL COLLATE NOCASE    -- unit of count
);
CREATE UNIQUE INDEX ixNubName ON tblNub (nName COLLATE NOCASE);

CREATE TABLE tblGroup (
    gPK         INTEGER PRIMARY KEY,
    gName       TEXT    NOT NULL COLLATE NOCASE    -- product group
);
CREATE UNIQUE INDEX ixGroupName ON tblGroup (gName COLLATE NOCASE);

CREATE TABLE tblGeb (
    gePK        INTEGER PRIMARY KEY,
    geName      TEXT    NOT NULL COLLATE NOCASE    -- storage place
);
CREATE UNIQUE INDEX ixGebName ON tblGeb (geName COLLATE NOCASE);
