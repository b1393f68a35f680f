#include "module/banner.h"

const char* moduleBanner() {
    return "\n"
           "////////////////////////////////////////////////////////////\n"
           "//  AVX2Corvane.avx - Corvane blend modes, matte key,      //\n"
           "//  field swap and REC.709 oscilloscope                    //\n"
           "//  Version 1 beta 7, built " __DATE__ " " __TIME__
           "          //\n"
           "////////////////////////////////////////////////////////////\n";
}
