// ovilan-cli: the formula engine and documents from the command line.

#include "cli/analysis_commands.h"
#include "cli/convert_command.h"
#include "cli/data_commands.h"
#include "cli/document_tools.h"
#include "cli/engine_commands.h"
#include "cli/fit_command.h"
#include "ovilan_version.h"

#include <csignal>
#include <exception>
#include <iostream>
#include <new>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kUsage = R"(usage:
  ovilan-cli formula [--var V] [--] TEXT   check a formula; prints CODE<TAB>NORMAL FORM
                                           (or CODE<TAB>MESSAGE); V defaults to x
  ovilan-cli formula --batch               stdin:  VAR<TAB>X<TAB>TEXT per line
                                           stdout: CODE<TAB>NORMAL<TAB>TEXTVAL<TAB>EXPRVAL
  ovilan-cli derive [--var V] [--] TEXT    the derivative of a formula in V, printed as
                                           formula prints a formula
  ovilan-cli number VALUE                  print a number as formula text
  ovilan-cli number --batch                stdin: one number per line
  ovilan-cli info FILE.ovd                 a summary of a document
  ovilan-cli trace FILE.ovd [--graph N]    the traced points as CSV: graph,index,x,y,penUp
  ovilan-cli analyze FILE.ovd --graph N [--from A --to B]
                                           roots, minima, maxima, axis crossings and
                                           intersections with the other graphs as CSV:
                                           kind,graph,other,t,x,y; A and B bound the graph's
                                           variable (a polar angle in radians) and may be
                                           constant formulas such as pi/3
  ovilan-cli integrate FILE.ovd --graph N --from A --to B
                                           the integral of a Y(x) graph from A to B and its
                                           error estimate: VALUE<TAB>ERROR
  ovilan-cli import DATA.csv OUT.ovd [--first N]
                                           a new document with one table graph of the
                                           file's points: x, y and a label from the first
                                           three columns, separated by commas, semicolons
                                           or tabs; a file of more than 2000 rows is
                                           refused unless --first N takes the first N
  ovilan-cli export FILE.ovd OUT.csv [--graph N]
                                           the points as CSV: x,y,label of table graph N,
                                           or graph,index,x,y,penUp traced for graph N or,
                                           without --graph, for every graph
  ovilan-cli fit DATA.csv --model linear|poly N|exp|log|power|FORMULA [--start k=1,m=2]
                                           fits a curve to the file's points by least
                                           squares: a line, a polynomial of degree 2 to 6,
                                           a*exp(b*x), a+b*ln(x), a*x^b, or a formula in x
                                           whose parameters j, k, m, v, w, z start at 1 or
                                           at the values given; prints NAME<TAB>VALUE for
                                           each coefficient, then R², sd (the residual
                                           standard deviation) and the fitted formula's
                                           normal form
  ovilan-cli convert IN.ovd OUT.ovd        read and write a document again
  ovilan-cli convert IN.ovd OUT.bmp|OUT.png|OUT.svg|OUT.pdf [--size WxH] [--rle]
             [--smooth] [--scale N | --dpi N --mm WxH]
                                           the plot as a picture; 800x600 unless a size
                                           from 100 to 3000 is given; --rle compresses a BMP;
                                           a PNG has the plot's 16 colours unless --smooth,
                                           --scale N (1 to 10) or --dpi N (30 to 2400) with
                                           --mm WxH (26.4 to 794 a side) asks for full colour;
                                           --mm alone sizes an SVG or a PDF
  ovilan-cli convert IN.ovd... --to bmp|png|svg|pdf --out-dir DIR [options as above]
                                           each document as DIR/NAME.bmp|png|svg|pdf
  ovilan-cli convert IN.ovd DIR --animate P=FROM:TO:STEP [PNG options as above]
                                           one PNG a value of the parameter P, from FROM
                                           up to TO by STEP (constant formulas such as
                                           pi/2, at most 10000 frames), as
                                           DIR/frame-0001.png and on; DIR is made if missing
  ovilan-cli --version                     the version of the program
)";

int runCommand(const std::vector<std::string_view>& args)
{
    if (args.empty())
        return ovilan::cli::kExitUsage;
    const std::span<const std::string_view> rest(args.data() + 1, args.size() - 1);
    if (args[0] == "formula")
        return ovilan::cli::runFormula(rest, std::cin, std::cout, std::cerr);
    if (args[0] == "derive")
        return ovilan::cli::runDerive(rest, std::cout);
    if (args[0] == "number")
        return ovilan::cli::runNumber(rest, std::cin, std::cout, std::cerr);
    if (args[0] == "info")
        return ovilan::cli::runInfo(rest, std::cout, std::cerr);
    if (args[0] == "trace")
        return ovilan::cli::runTrace(rest, std::cout, std::cerr);
    if (args[0] == "analyze")
        return ovilan::cli::runAnalyze(rest, std::cout, std::cerr);
    if (args[0] == "integrate")
        return ovilan::cli::runIntegrate(rest, std::cout, std::cerr);
    if (args[0] == "import")
        return ovilan::cli::runImport(rest, std::cerr);
    if (args[0] == "export")
        return ovilan::cli::runExport(rest, std::cerr);
    if (args[0] == "fit")
        return ovilan::cli::runFit(rest, std::cout, std::cerr);
    if (args[0] == "convert")
        return ovilan::cli::runConvert(rest, std::cerr);
    if (args[0] == "--version" && rest.empty()) {
        std::cout << "ovilan-cli " << ovilan::kVersion << '\n';
        return ovilan::cli::kExitSuccess;
    }
    return ovilan::cli::kExitUsage;
}

// A command whose answer did not reach its reader, such as a full disk, has not succeeded.
int withOutputChecked(int status)
{
    if (std::cout.flush())
        return status;
    std::cerr << "ovilan-cli: the output could not be written\n";
    return status == ovilan::cli::kExitSuccess ? ovilan::cli::kExitRefused : status;
}

int runCaught(const std::vector<std::string_view>& args)
{
    try {
        return runCommand(args);
    } catch (const std::bad_alloc&) {
        std::cerr << "ovilan-cli: not enough memory\n";
    } catch (const std::exception& failure) {
        std::cerr << "ovilan-cli: " << failure.what() << '\n';
    }
    return ovilan::cli::kExitRefused;
}

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    // A file size limit then fails the write, which is reported, instead of ending the program
    // with a temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    const int status = withOutputChecked(runCaught(args));
    if (status == ovilan::cli::kExitUsage)
        std::cerr << kUsage;
    return status;
}
