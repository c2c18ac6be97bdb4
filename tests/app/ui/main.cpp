// The Qt tests run inside one AplicacaoKvl, made after GoogleTest has read
// its flags: listing the tests needs no display.
#include <gtest/gtest.h>

#include "app/ui/aplicacao.h"

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    AplicacaoKvl aplicacao(argc, argv);
    aplicacao.setApplicationName(QStringLiteral("nfe-console"));
    return RUN_ALL_TESTS();
}
