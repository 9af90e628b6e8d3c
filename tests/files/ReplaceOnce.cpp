// One replace and nothing else, for the test that records its system calls:
//     vesk-replace-once PATH TEXT
#include "files/AtomicFile.h"

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    return ReplaceFile(QString::fromLocal8Bit(argv[1]), QByteArray(argv[2])) ? 1 : 0;
}
