// Angle conversions, rounding and the numeric helpers.
#include "convers.h"
#include "texte.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <limits>

using namespace orv;

TEST(Convers, DDMMEtDegres)
{
    EXPECT_NEAR(double(ddmm_vers_deg(46.305L)), 46.508333333, 1e-9);
    EXPECT_NEAR(double(ddmm_vers_deg(-1.47L)), -1.783333333, 1e-9);
    EXPECT_NEAR(double(deg_vers_ddmm(12.5L)), 12.30, 1e-12);
    EXPECT_NEAR(double(deg_vers_ddmm(-0.75L)), -0.45, 1e-12);
    // Zero counts as positive; 59.99' stays below the next degree.
    EXPECT_EQ(sign(0.0L), 1.0L);
    EXPECT_EQ(sign(-0.0L), 1.0L);
    EXPECT_NEAR(double(ddmm_vers_deg(10.5999L)), 10.99983333, 1e-8);
    // Round trips over a range of angles.
    for (int i = -18000; i <= 18000; i += 7) {
        const ext d = i / 100.0L;
        SCOPED_TRACE(double(d));
        EXPECT_NEAR(double(ddmm_vers_deg(deg_vers_ddmm(d))), double(d), 1e-11);
        EXPECT_NEAR(double(degres(radians(d))), double(d), 1e-15);
    }
    EXPECT_NEAR(double(ddmm_vers_rad(90)), M_PI / 2, 1e-15);
    EXPECT_NEAR(double(rad_vers_ddmm(PI / 3)), 60.0, 1e-12);
}

TEST(Convers, NintArrondiAuPair)
{
    EXPECT_EQ(nint(0.5L), 0);
    EXPECT_EQ(nint(1.5L), 2);
    EXPECT_EQ(nint(2.5L), 2);
    EXPECT_EQ(nint(-2.5L), -2);
    EXPECT_EQ(nint(2.5000001L), 3);
    EXPECT_EQ(nint32(std::numeric_limits<ext>::quiet_NaN()), 0);
    EXPECT_EQ(nint32(1e300L), 1 << 30);
    EXPECT_EQ(nint32(-2.5e186L), -(1 << 30));
    EXPECT_EQ(nint32(std::numeric_limits<ext>::infinity()), 1 << 30);
}

TEST(Convers, ArcCosEtTangente)
{
    EXPECT_EQ(arc_cos(1), 0);
    EXPECT_NEAR(double(arc_cos(-1)), M_PI, 1e-15);
    EXPECT_NEAR(double(arc_cos(0.5L)), M_PI / 3, 1e-15);
    EXPECT_NEAR(double(arc_cos(0)), M_PI / 2, 1e-15);
    // Rounding just past ±1 is held, not NaN.
    EXPECT_EQ(arc_cos(1.0000000000000002L), 0);
    EXPECT_NEAR(double(arc_cos(-1.0000000000000002L)), M_PI, 1e-15);
    const ext t = tan_borne(PI / 2);
    EXPECT_TRUE(std::isfinite(t));
    EXPECT_GT(std::fabs(t), 9e6);
    EXPECT_LT(std::fabs(t), 1.1e7);
    EXPECT_NEAR(double(tan_borne(PI / 4)), 1.0, 1e-15);
}

TEST(Convers, TexteDegMin)
{
    EXPECT_EQ(texte_deg_min(12.5L), QStringLiteral("  12°30',0"));
    EXPECT_EQ(texte_deg_min(0.01L), QStringLiteral("   0°00',6"));
    EXPECT_EQ(texte_deg_min(45.5L), QStringLiteral("  45°30',0"));
    EXPECT_EQ(texte_deg_min(170.25L), QStringLiteral(" 170°15',0"));
    EXPECT_EQ(texte_deg_min(12.5L).size(), 10);
}

TEST(Convers, LectureDeReelsSousUneLocaleFrancaise)
{
    // Under a French locale the C library reads "0,5" as a half and stops
    // at the point of "0.5": our readers must not follow it.
    const char* avant = std::setlocale(LC_ALL, nullptr);
    const std::string garde = avant ? avant : "C";
    ASSERT_NE(std::setlocale(LC_ALL, "fr_FR.UTF-8"), nullptr)
        << "the fr_FR.UTF-8 locale is not installed (./build.sh installs it)";
    char* fin = nullptr;
    ASSERT_EQ(std::strtod("0,5", &fin), 0.5);  // the locale is really in force
    ext v = 0;
    EXPECT_TRUE(lit_reel("46.28", v));
    EXPECT_EQ(v, 46.28L);
    EXPECT_TRUE(lit_reel("-1.5", v));
    EXPECT_EQ(v, -1.5L);
    EXPECT_TRUE(lit_reel("+3", v));
    EXPECT_EQ(v, 3.0L);
    for (const char* faux : {"", "+", "1e", "abc", "1.5x", "1,5", " 2"})
        EXPECT_FALSE(lit_reel(faux, v)) << faux;
    EXPECT_TRUE(est_nombre(std::string_view("46.28"), &v));
    EXPECT_EQ(v, 46.28L);
    EXPECT_TRUE(est_nombre(QStringLiteral("123456789012345678901.5"), &v));  // the long path
    EXPECT_EQ(v, 123456789012345678901.5L);
    EXPECT_FALSE(est_nombre(QStringLiteral("46,28")));
    std::setlocale(LC_ALL, garde.c_str());
}
