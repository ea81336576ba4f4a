#include "CallsFixture.h"

TEST_F(CallsFixture, OpensOnTheFirstOrganisationWithItsCalls)
{
    EXPECT_EQ(dm->OrgADOQuery->field(QStringLiteral("OrganizationName")).asString(), QStringLiteral("Acme"));
    EXPECT_EQ(dm->CallsByOrgIDADOQuery->recordCount(), 2);
    EXPECT_EQ(dm->ActionsByCallIDADOQuery->recordCount(), 1);
    EXPECT_EQ(dm->OwnerADOQuery->recordCount(), 1);
    EXPECT_NE(constants.StatusClosedID, 0);
}
