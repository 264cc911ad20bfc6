-- From version 2 to 3: day totals of the sale lines, kept in step by triggers, and an index of
-- the few lines whose receipt group may sum differently from its lines; both filled from the
-- lines already there.
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
INSERT INTO tblDayTotal
    SELECT substr(Ldate, 1, 10), Ldate2, count(*),
        sum((CAST(round(Lrod * 10000) AS INTEGER) + (CASE WHEN Lrod < 0 THEN -50 ELSE 50 END)) / 100),
        sum(CAST(round(Lsell * 10000) AS INTEGER) * Lvalue),
        sum(((CAST(round(Lraka * 10000) AS INTEGER) + (CASE WHEN Lraka < 0 THEN -50 ELSE 50 END)) / 100) * Lvalue),
        sum(((CAST(round(Lsell * 10000) AS INTEGER) + (CASE WHEN Lsell < 0 THEN -50 ELSE 50 END)) / 100) * Lvalue)
    FROM tblLog GROUP BY 1, 2;
-- Lines with a recorded discount or a price with fractions of a satang, with every column that
-- groups them: the totals views look at these alone to find where a group sums differently.
CREATE INDEX ixLogAdjust ON tblLog (Ldate, Lno, Ldate2, Lsn, Lname, Ldes, Lnub, Lraka, Lsell, Lrod, Lvalue)
    WHERE Lrod != 0 OR CAST(round(Lsell * 10000) AS INTEGER) % 100 != 0;
