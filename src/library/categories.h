#pragma once

#include <QString>
#include <QStringList>

// A voice's category from its name, as librarians guess it: words and the short forms of the
// banks' ten-character names ("Pno", "EP", "Brs", "Str" ...). Nothing when no word fits.
QString CategoryOfName(const QString& name);

// Every category CategoryOfName gives, in the table's order.
const QStringList& Categories();
