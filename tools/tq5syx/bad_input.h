#pragma once

#include <QString>

// Input the tool cannot work with: a file it cannot read, malformed JSON, a wrong argument. main
// prints the message on one line and exits with code 2.
struct BadInput {
    QString message;
};
