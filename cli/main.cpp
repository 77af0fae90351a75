// ovilan-cli: the formula engine and documents from the command line.

#include "cli/document_tools.h"
#include "cli/engine_commands.h"

#include <iostream>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kUsage = R"(usage:
  ovilan-cli formula [--var V] [--] TEXT   check a formula; prints CODE<TAB>NORMAL FORM
                                           (or CODE<TAB>MESSAGE); V defaults to x
  ovilan-cli formula --batch               stdin:  VAR<TAB>X<TAB>TEXT per line
                                           stdout: CODE<TAB>NORMAL<TAB>TEXTVAL<TAB>EXPRVAL
  ovilan-cli number VALUE                  print a number as formula text
  ovilan-cli number --batch                stdin: one number per line
  ovilan-cli info FILE.ovd                 a summary of a document
  ovilan-cli trace FILE.ovd [--graph N]    the traced points as CSV: graph,index,x,y,penUp
  ovilan-cli convert IN.ovd OUT.ovd        read and write a document again
  ovilan-cli convert IN.ovd OUT.bmp|OUT.png [--size WxH] [--rle]
                                           the plot as a picture; 800x600 unless a size
                                           from 100 to 3000 is given; --rle compresses a BMP
)";

} // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    int status = ovilan::cli::kExitUsage;
    if (!args.empty()) {
        const std::span<const std::string_view> rest(args.data() + 1, args.size() - 1);
        if (args[0] == "formula")
            status = ovilan::cli::runFormula(rest, std::cin, std::cout, std::cerr);
        else if (args[0] == "number")
            status = ovilan::cli::runNumber(rest, std::cin, std::cout, std::cerr);
        else if (args[0] == "info")
            status = ovilan::cli::runInfo(rest, std::cout, std::cerr);
        else if (args[0] == "trace")
            status = ovilan::cli::runTrace(rest, std::cout, std::cerr);
        else if (args[0] == "convert")
            status = ovilan::cli::runConvert(rest, std::cerr);
    }
    if (status == ovilan::cli::kExitUsage)
        std::cerr << kUsage;
    return status;
}
