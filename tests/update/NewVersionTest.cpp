// The new version offer: any difference from the running release is offered.
#include "update/NewVersion.h"

#include <gtest/gtest.h>

using namespace tv::update;

TEST(new_version, offered_on_any_difference)
{
    EXPECT_EQ(checkNewVersion("10.0", "10.0"), std::nullopt);
    const struct {
        const char* published;
        const char* offer;
    } cases[] = {{"10.1", "Upgrade version 10.0 to 10.1 ?"},
                 {"10.0 ", "Upgrade version 10.0 to 10.0  ?"},
                 {"10.00", "Upgrade version 10.0 to 10.00 ?"},
                 {"9.9", "Upgrade version 10.0 to 9.9 ?"},
                 {"", "Upgrade version 10.0 to  ?"},
                 {"NO-VALUE", "Upgrade version 10.0 to NO-VALUE ?"}};
    for (const auto& c : cases)
        EXPECT_EQ(checkNewVersion("10.0", QLatin1String(c.published)), QLatin1String(c.offer));
}

TEST(new_version, empty_address_only_closes_the_offer)
{
    EXPECT_EQ(chooseUpdateAction(""), UpdateChoice::CloseOffer);
    EXPECT_EQ(chooseUpdateAction("https://lab.example/setup"), UpdateChoice::OpenAndQuit);
}
