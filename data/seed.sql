-- Rows the delivered database starts with

BEGIN;

-- 1-3 counters, 4 sign-in off, 5 ask before saving on, 6 no cash drawer
INSERT INTO tblNumber (nPK, numA, numMon) VALUES
    (1, 0, '00'),
    (2, 0, '00'),
    (3, 0, '00'),
    (4, 0, '00'),
    (5, 1, '00'),
    (6, 0, '0');

INSERT INTO tblNub   (nPK,  nName)  VALUES (0, '-');
INSERT INTO tblGroup (gPK,  gName)  VALUES (0, '-');
INSERT INTO tblGeb   (gePK, geName) VALUES (0, '-');

INSERT INTO tblSetPrint (PK, text1, tsize1, text1B, text2, tsize2, text2B,
                         sraka, pauto, paperW, paperH, text3,
                         paperT, paperD, paperL, paperR, fsize1, fsize2, fsize3)
VALUES (1, 'ร้านค้าตัวอย่าง', '13', 1, 'ใบเสร็จรับชำระเงิน / อย่างย่อ', '14', 0,
        0, 0, '7.0', '20.0', 'โปรดเก็บไว้เป็นหลักฐาน ขอบคุณที่ใช้บริการ',
        '0.3', '0.1', '0.3', '0.3', '13', '15', '13');

INSERT INTO tblSetBarcode (PK, SpaperW, SpaperH, SKpaperT, SKpaperD, SKpaperL, SKpaperR,
                           SSpaperW, SSpaperH, SBHcount, SBarR, SBarD, SBarcode,
                           SFsize, SFsize1, SFsize2, SFbold1, SFbold2)
VALUES (1, '21.0', '29.7', '1.0', '0.1', '1.0', '1.0',
        '1.5', '1', '4', '2.0', '3.0', '8',
        '14', '13', '13', 0, 0);

-- administrator, password 'admin'
INSERT INTO tblUser (PK, UID, UPASS, UTumnang, ULv1, ULv2, ULv3, ULv4, ULv5)
VALUES (1, 'admin',
        'pbkdf2$100000$Bm5SJq64QNhxtGQ5EFL7eg==$1quQRaLWz8gxQaMoyIUJdFBsKzBUmJ76sij/kbRF0/s=',
        'ผู้ดูแลระบบ', 1, 1, 1, 1, 1);

COMMIT;
