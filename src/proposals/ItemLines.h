#pragma once
// Item lines of a proposal body: one column heading, then a line per item
// with quantity, description, unit price and extension in fixed columns.
// A line is made on its own and appended, so nothing already in the body
// (an earlier line, a stray placeholder) is ever written over.
#include "common/Currency.h"

#include <QString>

inline const QString ItemHeading = QStringLiteral("  Qty Description                 Price  Extension");
inline const QString ItemMask = QStringLiteral("   %Q %D                             %U         %E");

// The item boxes of the item window, by index.
enum ItemBox { ItemDescriptionBox = 0, ItemPriceBox = 1, ItemQuantityBox = 2 };

// The amount at the currency digits of the user's locale (2 in most),
// halves away from zero.
Currency RoundedToLocaleDigits(Currency amount);
Currency RoundedToDigits(Currency amount, int digits);
int LocaleCurrencyDigits();

struct ItemLine {
    bool ok = false;
    QString line;          // the line itself, 50 characters
    QString quantityShown; // the quantity as the line (and the box) show it
    QString addition;      // what goes at the end of the body, CR LF line ends
    // When the item is refused: the box at fault and what to tell the user.
    int faultBox = -1;
    QString message;
};

// The line for a quantity, description and price as typed. The heading
// (after a line end) comes first when the body holds no "Qty Des" yet.
// An empty or non-numeric quantity or price, or a number too long for its
// columns, refuses the item.
ItemLine AddItemLine(const QString &body, const QString &quantity, const QString &description,
                     const QString &priceText);

// The title of the box that refuses an item.
inline const QString ItemRefusedTitle = QStringLiteral("Item not Added");

// Why a typed item cannot go into the inventory (box and message), or
// nothing when it can.
struct ItemProblem {
    int box = -1;
    QString message;
};
ItemProblem NewItemProblem(const QString &description, const QString &priceText);
