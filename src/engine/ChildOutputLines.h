#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// Turns the chunks a logged child run reads from its pipe into log lines.
// Each chunk is decoded on its own and split at line breaks, empty pieces
// dropped; text is not carried from one chunk to the next, so a line written
// in two pieces becomes two lines. Only the bytes of a multi-byte character
// cut by the end of a chunk are carried into the next one, so the character
// survives; a chunk that is not valid UTF-8 otherwise is dropped whole.
class ChildOutputLines {
public:
    QStringList take(QByteArrayView chunk);

private:
    QByteArray m_carried;
};
