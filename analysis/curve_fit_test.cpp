#include "analysis/curve_fit.h"
#include "analysis/fit_formula.h"
#include "analysis/testdata/nist_strd.h"
#include "expr/formula_check.h"
#include "expr/text_evaluator.h"
#include "expr/typed_formula.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace ovilan {
namespace {

    // How many significant digits `value` shares with `certified`.
    double digits(double value, double certified)
    {
        if (value == certified)
            return 17;
        return -std::log10(std::fabs(value - certified) / std::fabs(certified));
    }

    std::vector<double> wamplerX()
    {
        std::vector<double> x(21);
        std::iota(x.begin(), x.end(), 0.0);
        return x;
    }

    FitRequest polynomial(int degree) { return { FitModel::Polynomial, degree, {}, {} }; }

    FitRequest formula(const char* text, std::vector<ParameterValue> start)
    {
        return { FitModel::Formula, 2, text, std::move(start) };
    }

    void expectCoefficients(const FitResult& fit, std::span<const double> certified, double least)
    {
        ASSERT_TRUE(fit.ok()) << fit.refusal;
        ASSERT_EQ(fit.coefficients.size(), certified.size());
        for (std::size_t i = 0; i < certified.size(); ++i)
            EXPECT_GE(digits(fit.coefficients[i].value, certified[i]), least)
                << fit.coefficients[i].name << " = " << fit.coefficients[i].value;
    }

    // The fitted formula is ordinary formula text, and its normal form traces the fitted model
    // (to the ten digits a normal form keeps of each number).
    void expectFormulaTraces(
        const FitResult& fit, std::span<const double> xs, const FitRequest& request)
    {
        ASSERT_TRUE(fit.ok()) << fit.refusal;
        EXPECT_EQ(checkTypedFormula(fit.formula, "x").code, kFormulaOk) << fit.formula;
        std::vector<double> values(kParameterCount, 0.0);
        for (std::size_t i = 0; i < fit.coefficients.size(); ++i) {
            if (request.model == FitModel::Formula)
                values[*parameterIndex(fit.coefficients[i].name)] = fit.coefficients[i].value;
        }
        for (const double x : xs) {
            const auto traced = evaluateText(fit.normalForm, "x", x);
            ASSERT_TRUE(traced.has_value()) << fit.normalForm << " at " << x;
            double model = 0;
            const auto& c = fit.coefficients;
            double scale = 0; // the largest term, against which a polynomial's rounding shows
            switch (request.model) {
            case FitModel::Linear:
            case FitModel::Polynomial:
                for (std::size_t j = 0; j < c.size(); ++j) {
                    const double term = c[j].value * std::pow(x, static_cast<double>(j));
                    model += term;
                    scale = std::max(scale, std::fabs(term));
                }
                break;
            case FitModel::Logarithmic:
                model = c[0].value + c[1].value * std::log(x);
                break;
            case FitModel::Exponential:
                model = c[0].value * std::exp(c[1].value * x);
                break;
            case FitModel::Power:
                model = c[0].value * std::pow(x, c[1].value);
                break;
            case FitModel::Formula:
                model = *evaluateText(
                    checkTypedFormula(substituteExactly(request.formula, values), "x").normalForm,
                    "x",
                    x);
                break;
            }
            scale = std::max({ scale, std::fabs(model), 1e-300 });
            EXPECT_LE(std::fabs(*traced - model) / scale, 1e-8) << fit.normalForm << " at " << x;
        }
    }

    TEST(CurveFit, NistLinearAndQuadraticToElevenDigits)
    {
        const FitRequest linear { FitModel::Linear, 1, {}, {} };
        const FitResult norris = fitCurve(nist::kNorrisX, nist::kNorrisY, linear);
        expectCoefficients(norris, nist::kNorrisB, 11);
        EXPECT_GE(digits(norris.residualSd, nist::kNorrisSd), 11);
        EXPECT_GE(digits(norris.rSquared, nist::kNorrisR2), 11);
        EXPECT_EQ(norris.legendText, "linear fit, R² = 0.999994");
        EXPECT_EQ(norris.coefficients[0].name, "a");
        expectFormulaTraces(norris, nist::kNorrisX, linear);

        const FitResult pontius = fitCurve(nist::kPontiusX, nist::kPontiusY, polynomial(2));
        expectCoefficients(pontius, nist::kPontiusB, 11);
        EXPECT_GE(digits(pontius.residualSd, nist::kPontiusSd), 11);
        EXPECT_GE(digits(pontius.rSquared, nist::kPontiusR2), 11);
        expectFormulaTraces(pontius, nist::kPontiusX, polynomial(2));
    }

    TEST(CurveFit, NistWamplerDegreeFiveToNineDigits)
    {
        const std::vector<double> x = wamplerX();
        const std::array<double, 6> ones { 1, 1, 1, 1, 1, 1 };
        const std::array<double, 6> tenths { 1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5 };

        const FitResult w1 = fitCurve(x, nist::kWampler1Y, polynomial(5));
        expectCoefficients(w1, ones, 9);
        EXPECT_LE(w1.residualSd, 1e-9);
        EXPECT_EQ(w1.rSquared, 1.0);
        const FitResult w2 = fitCurve(x, nist::kWampler2Y, polynomial(5));
        expectCoefficients(w2, tenths, 9);
        EXPECT_LE(w2.residualSd, 1e-14);

        const FitResult w3 = fitCurve(x, nist::kWampler3Y, polynomial(5));
        expectCoefficients(w3, ones, 9);
        EXPECT_GE(digits(w3.residualSd, nist::kWampler3Sd), 9);
        EXPECT_GE(digits(w3.rSquared, nist::kWampler3R2), 9);
        const FitResult w4 = fitCurve(x, nist::kWampler4Y, polynomial(5));
        expectCoefficients(w4, ones, 9);
        EXPECT_GE(digits(w4.residualSd, nist::kWampler4Sd), 9);
        EXPECT_GE(digits(w4.rSquared, nist::kWampler4R2), 9);
        expectFormulaTraces(w4, x, polynomial(5));
        EXPECT_EQ(w4.coefficients[5].name, "a5");
    }

    TEST(CurveFit, NistNonlinearFromBothPublishedStarts)
    {
        const FitRequest misra[] = {
            formula("k*(1-exp(-m*x))", { { 'k', 500 }, { 'm', 1e-4 } }),
            formula("k*(1-exp(-m*x))", { { 'k', 250 }, { 'm', 5e-4 } }),
        };
        for (const FitRequest& request : misra) {
            const FitResult fit = fitCurve(nist::kMisra1aX, nist::kMisra1aY, request);
            expectCoefficients(fit, nist::kMisra1aB, 6);
            const double ssr = fit.residualSd * fit.residualSd * (14 - 2);
            EXPECT_GE(digits(ssr, nist::kMisra1aSsr), 6);
            EXPECT_GT(fit.iterations, 0);
            expectFormulaTraces(fit, nist::kMisra1aX, request);
        }
        const FitRequest chwirut[] = {
            formula("exp(-k*x)/(m+v*x)", { { 'k', 0.1 }, { 'm', 0.01 }, { 'v', 0.02 } }),
            formula("exp(-k*x)/(m+v*x)", { { 'k', 0.15 }, { 'm', 0.008 }, { 'v', 0.01 } }),
        };
        for (const FitRequest& request : chwirut) {
            const FitResult fit = fitCurve(nist::kChwirut2X, nist::kChwirut2Y, request);
            expectCoefficients(fit, nist::kChwirut2B, 6);
            const double ssr = fit.residualSd * fit.residualSd * (54 - 3);
            EXPECT_GE(digits(ssr, nist::kChwirut2Ssr), 6);
        }
        const FitRequest danWood[] = {
            formula("k*x^m", { { 'k', 1 }, { 'm', 5 } }),
            formula("k*x^m", { { 'k', 0.7 }, { 'm', 4 } }),
            { FitModel::Power, 2, {}, {} }, // its own start, from the logarithms
        };
        for (const FitRequest& request : danWood) {
            const FitResult fit = fitCurve(nist::kDanWoodX, nist::kDanWoodY, request);
            expectCoefficients(fit, nist::kDanWoodB, 6);
            EXPECT_GE(digits(fit.residualSd, nist::kDanWoodSd), 6);
            expectFormulaTraces(fit, nist::kDanWoodX, request);
        }
    }

    TEST(CurveFit, ExponentialAndLogarithmicRecoverExactCurves)
    {
        std::vector<double> x;
        std::vector<double> decay;
        std::vector<double> logarithmic;
        for (int i = 1; i <= 30; ++i) {
            x.push_back(i * 0.25);
            decay.push_back(2.5 * std::exp(-0.3 * x.back()));
            logarithmic.push_back(-1.5 + 0.75 * std::log(x.back()));
        }
        const FitRequest exponential { FitModel::Exponential, 2, {}, {} };
        const FitResult fit = fitCurve(x, decay, exponential);
        expectCoefficients(fit, std::array { 2.5, -0.3 }, 10);
        EXPECT_EQ(fit.legendText, "exponential fit, R² = 1");
        expectFormulaTraces(fit, x, exponential);

        const FitRequest logRequest { FitModel::Logarithmic, 2, {}, {} };
        const FitResult logFit = fitCurve(x, logarithmic, logRequest);
        expectCoefficients(logFit, std::array { -1.5, 0.75 }, 12);
        expectFormulaTraces(logFit, x, logRequest);
    }

    TEST(CurveFit, AnExactPolynomialIsWrittenWithoutRoundingNoise)
    {
        const std::vector<double> x { -2, -1, 0, 1, 2, 3 };
        std::vector<double> y;
        for (const double v : x)
            y.push_back(v * v - 2 * v);
        const FitResult fit = fitCurve(x, y, polynomial(2));
        ASSERT_TRUE(fit.ok()) << fit.refusal;
        EXPECT_EQ(fit.formula, "-2*x+x^2");
        EXPECT_EQ(fit.coefficients[0].value, 0);
        EXPECT_EQ(fit.residualSd, 0);
    }

    // Far from 0 for their spread, or at the edge of the doubles, the powers of x cancel or lose
    // every digit of the curve: a "fit" written so would trace nothing like the points.
    TEST(CurveFit, RefusesAPolynomialItsCoefficientsCannotHold)
    {
        std::vector<double> farX;
        std::vector<double> tinyX;
        std::vector<double> parabola;
        for (int i = 0; i < 20; ++i) {
            farX.push_back(1e9 + i);
            tinyX.push_back((i + 1) * 1e-300);
            parabola.push_back(0.1 * i * i + 3);
        }
        for (const auto& xs : { farX, tinyX }) {
            for (const int degree : { 2, 6 }) {
                const FitResult fit = fitCurve(xs, parabola, polynomial(degree));
                EXPECT_NE(
                    fit.refusal.find("cannot be written as a formula in x"), std::string::npos)
                    << xs[0] << " degree " << degree << ": R² = " << fit.rSquared;
            }
        }
        // Nor can an exponential growing by a tenth a unit at x near 10^9: exp(b*x) overflows.
        std::vector<double> growth;
        for (int i = 0; i < 20; ++i)
            growth.push_back(2 * std::exp(0.1 * i));
        EXPECT_NE(fitCurve(farX, growth, { FitModel::Exponential, 2, {}, {} })
                      .refusal.find("cannot be written as a formula in x"),
            std::string::npos);
        // A day of readings a minute apart on a clock counting seconds since 1970 still holds a
        // parabola, as well as the same readings counted from the day's start do.
        std::vector<double> clock;
        std::vector<double> minutes;
        std::vector<double> readings;
        for (int i = 0; i < 1440; ++i) {
            clock.push_back(1.7e9 + 60 * i);
            minutes.push_back(i);
            // To the thousandth, as a logger writes them.
            const double reading
                = 20 + 3 * std::sin(i * std::acos(-1.0) / 1440) + 0.05 * std::sin(37 * i);
            readings.push_back(std::round(reading * 1000) / 1000);
        }
        const FitResult onClock = fitCurve(clock, readings, polynomial(2));
        ASSERT_TRUE(onClock.ok()) << onClock.refusal;
        EXPECT_GE(digits(onClock.rSquared, fitCurve(minutes, readings, polynomial(2)).rSquared), 9);
        // A line keeps its digits there: its intercept alone is large.
        const FitResult line = fitCurve(farX, farX, { FitModel::Linear, 1, {}, {} });
        ASSERT_TRUE(line.ok()) << line.refusal;
        EXPECT_GT(line.rSquared, 1 - 1e-12);
        // Nor does a parabola that is a line at x near 10^200: x^2 would overflow, but the
        // formula leaves out the term whose coefficient is 0.
        std::vector<double> bigX;
        std::vector<double> rising;
        for (int i = 1; i < 8; ++i) {
            bigX.push_back(i * 1e200);
            rising.push_back(2.0 * i);
        }
        const FitResult straight = fitCurve(bigX, rising, polynomial(2));
        ASSERT_TRUE(straight.ok()) << straight.refusal;
        EXPECT_EQ(straight.coefficients[2].value, 0);
        EXPECT_NEAR(straight.coefficients[1].value, 2e-200, 1e-214);
    }

    TEST(CurveFit, RefusesWhatCannotBeFitted)
    {
        const std::vector<double> x { -1, 0, 1, 2, 3 };
        const std::vector<double> y { 2, 0, 1, 3, 5 };
        const std::vector<double> positive { 1, 2, 3, 4, 5 };
        const auto refusalOf
            = [](std::span<const double> xs, std::span<const double> ys, FitRequest r) {
                  return fitCurve(xs, ys, r).refusal;
              };
        EXPECT_EQ(refusalOf(positive, y, { FitModel::Exponential, 2, {}, {} }),
            "An exponential fit needs every y above 0.");
        EXPECT_EQ(refusalOf(x, positive, { FitModel::Logarithmic, 2, {}, {} }),
            "A logarithmic fit needs every x above 0.");
        EXPECT_EQ(refusalOf(x, positive, { FitModel::Power, 2, {}, {} }),
            "A power fit needs every x and every y above 0.");
        EXPECT_EQ(refusalOf(x, y, polynomial(4)),
            "A polynomial of degree 4 fit needs at least 6 points; the table has 5.");
        EXPECT_EQ(
            refusalOf(x, y, polynomial(7)), "The degree of a polynomial fit must be from 2 to 6.");
        const std::vector<double> same { 2, 2, 2, 3, 3 };
        EXPECT_EQ(refusalOf(same, y, polynomial(2)),
            "The points do not determine a polynomial of degree 2 curve: too few of them have "
            "different x.");
        const std::vector<double> one { 2, 2, 2, 2, 2 };
        EXPECT_EQ(refusalOf(one, positive, { FitModel::Exponential, 2, {}, {} }),
            "The points do not determine an exponential curve: too few of them have different x.");
        EXPECT_EQ(refusalOf(std::span(positive).first(2),
                      std::span(positive).first(2),
                      { FitModel::Exponential, 2, {}, {} }),
            "An exponential fit needs at least 3 points; the table has 2.");
        const std::vector<double> gap { 1, NAN, 3, 4, 5 };
        EXPECT_EQ(refusalOf(gap, y, { FitModel::Linear, 1, {}, {} }),
            "Point 2 has no number for x or for y.");
        EXPECT_EQ(refusalOf(x, y, formula("2*x+1", {})),
            "The formula has no parameter to fit: write its coefficients with the letters j, k, m, "
            "v, w, z.");
        EXPECT_NE(refusalOf(x, y, formula("k*x+(", {})).find("The formula is not valid"),
            std::string::npos);
        // From k = m = 1 the exponential has died out at every x of Misra1a: m changes nothing.
        EXPECT_EQ(refusalOf(nist::kMisra1aX, nist::kMisra1aY, formula("k*(1-exp(-m*x))", {})),
            "The fit stops where the parameter m has no effect on the curve at the points; try "
            "other start values.");
        EXPECT_EQ(refusalOf(x, y, formula("sqrt(k-x)", {})),
            "The curve is not defined at every point with the start values; try other start "
            "values.");
    }

    TEST(CurveFit, StartValuesAsTyped)
    {
        std::string bad;
        const auto start = readFitStart(" k = 1.5, m=-2*10^(-3),z=pi/2 ", bad);
        ASSERT_TRUE(start.has_value());
        ASSERT_EQ(start->size(), 3u);
        EXPECT_EQ((*start)[0].name, 'k');
        EXPECT_EQ((*start)[0].value, 1.5);
        EXPECT_DOUBLE_EQ((*start)[1].value, -0.002);
        EXPECT_NEAR((*start)[2].value, std::acos(-1.0) / 2, 1e-9); // a normal form keeps 10 digits
        EXPECT_TRUE(readFitStart("", bad).value().empty());
        for (const char* wrong :
            { "q=1", "k=", "k 1", "k=x", "km=1", "k=inf", "m=nan", "k=-infinity" }) {
            EXPECT_FALSE(readFitStart(wrong, bad).has_value()) << wrong;
            EXPECT_EQ(bad, wrong);
        }
    }

    TEST(FitFormula, NumbersReadBackExactly)
    {
        EXPECT_EQ(coefficientText(1.5e-7), "1.5*10^(-7)");
        EXPECT_EQ(coefficientText(-2.5e20), "-2.5*10^20");
        EXPECT_EQ(coefficientText(0.1), "0.1");
        EXPECT_EQ(signedTermText(-0.25), "-0.25");
        for (const double value : { 1.0 / 3, -2.0e-9 / 7, 6.02214076e23, 238.94212918 }) {
            const TypedFormula checked = checkTypedFormula(coefficientText(value) + "*x", "x");
            ASSERT_EQ(checked.code, kFormulaOk);
            EXPECT_NEAR(*evaluateText(checked.normalForm, "x", 1) / value, 1, 1e-9);
        }
    }

    TEST(FitFormula, CompiledParametersMatchTheSubstitutedFormula)
    {
        const auto compiled = compileParameterFormula("k*x^2+exp(-m*x)/(v+x)");
        ASSERT_TRUE(compiled.has_value());
        std::array<double, kParameterCount> values { 0, 2.5, -0.5, 3, 0, 0 };
        ExpressionEvaluator evaluator(*compiled, values);
        EXPECT_NEAR(*evaluator.evaluate(2), 2.5 * 4 + std::exp(1.0) / 5, 1e-12);
        values[1] = -1;
        EXPECT_NEAR(*evaluator.evaluate(2), -4 + std::exp(1.0) / 5, 1e-12);
        EXPECT_FALSE(compileParameterFormula("k*x+").has_value());

        // Written the short way: kx is k*x, X is x.
        const auto shortWay = compileParameterFormula("kx^2+mX");
        ASSERT_TRUE(shortWay.has_value());
        ExpressionEvaluator shortEvaluator(*shortWay, values);
        EXPECT_NEAR(*shortEvaluator.evaluate(3), -1 * 9 - 0.5 * 3, 1e-12);
        EXPECT_EQ(
            fitCurve(
                std::array { 1.0, 2.0, 3.0 }, std::array { 1.0, 2.0, 3.0 }, formula("kexp(x)", {}))
                .refusal,
            "This formula cannot be fitted as it is written; put * after each parameter, as in "
            "k*exp(x).");
    }

} // namespace
} // namespace ovilan
