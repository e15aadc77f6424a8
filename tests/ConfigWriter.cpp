// Writes LargeConfig(seed) under a name, count times, for the storage tests that need
// writers in processes of their own. Before each write it prints one byte, so that the test
// knows a write is under way and may kill it there.

#include "Host/Types/BaseConfig.h"
#include "tests/LargeConfig.h"

#include <QString>

#include <cstdlib>
#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "usage: ConfigWriter <folder> <name> <seed> <count>\n";
        return 2;
    }
    Tavrel::PhotoUtil::BaseConfig::SetStorageFolder(QString::fromLocal8Bit(argv[1]));
    const Tavrel::PropertyTree tree = Tavrel::Tests::LargeConfig(std::atoi(argv[3]));
    try {
        for (int i = std::atoi(argv[4]); i > 0; --i) {
            std::cout << 'w' << std::flush;
            Tavrel::PhotoUtil::BaseConfig().Write(argv[2], tree);
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
