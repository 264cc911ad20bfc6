-- From version 1 to 2: the trigram index of the product search, filled from the products
-- already there.
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
INSERT INTO ftsProduct (ftsProduct) VALUES ('rebuild');
PRAGMA user_version = 2;
