#pragma once
#include <QString>

// A program folder for a benchmark made from the shared generated shop (sharedShopDatabase).
// Kept apart from the generator, whose source names the shop's file.

// A copy of the shared generated shop (its write-ahead log folded in first) as data/Ksmdata.db
// under `folder`, beside an empty data/pic: saves then leave the shared file alone.
void copySharedShopInto(const QString &folder);

// The shared generated shop itself as data/Ksmdata.db under `folder`, for benchmarks that only
// read: a link, or a copy where the file system takes no links.
void linkSharedShopInto(const QString &folder);
