#include "FactoryPrograms.h"

// Single-precision values are the shortest decimals that give the intended float (0.6399999f is
// not 0.64f); double values are exact literals.
// The table keeps its columns: clang-format would fold them into one another.
// clang-format off
const std::array<FactoryProgram, kNumPrograms> kFactoryPrograms = {{
    // name                 delay        feedback    lowPass   highPass  lpLoop hpLoop pan       width     mix
    {"SlapBack",           {0.079977326f, 0.215f,     0.374,    0.655999, true,  false, 0.5,      0.0,      1.0}},
    {"Doubler",            {0.079977f,    0.6399999f, 0.93,     0.474999, true,  false, 0.5,      0.349999, 0.709999}},
    {"Country SlapBack",   {0.12498866f,  0.529999f,  0.634999, 0.365,    true,  false, 0.5,      0.0,      1.0}},
    {"Just A Touch",       {0.18498866f,  0.699999f,  0.56,     0.239999, true,  true,  0.3,      0.0,      0.324999}},
    {"Double Echo",        {0.0499773f,   0.215f,     0.481999, 0.519999, true,  false, 0.5,      0.0,      1.0}},
    {"Canyon",             {0.249977f,    0.529999f,  0.009999, 1.0,      true,  false, 0.5,      0.0,      0.884999}},
    {"RattleSnake",        {0.31f,        0.79f,      0.215,    1.0,      true,  true,  0.5,      0.0,      1.0}},
    {"CloudFishing",       {0.34499f,     0.639999f,  0.93,     0.0,      false, true,  0.5,      0.0,      0.495}},
    {"Small Echo",         {0.274988f,    0.50499f,   0.73,     0.474999, true,  false, 0.5,      0.485,    0.49}},
    {"Bubbly",             {0.1349886f,   0.5f,       0.239999, 0.474999, false, true,  0.5,      0.0,      0.5}},
    {"Stadium",            {0.19498865f,  0.135f,     0.435,    0.479999, false, false, 0.5,      0.0,      1.0}},
    {"Spacey",             {0.329977f,    0.4f,       0.67,     0.0,      false, false, 0.5,      0.855,    1.0}},
    {"Stoned",             {0.3399773f,   0.50499f,   0.0,      0.595,    true,  false, 0.5,      0.94499,  0.519999}},
    {"SlowHand Blues",     {0.259977f,    0.335f,     0.56,     0.239999, false, false, 0.3,      0.0,      0.27}},
    {"Walking Shadow",     {0.23498866f,  0.6999999f, 0.43,     0.67,     true,  true,  0.3,      1.0,      0.769999}},
    {"Sliterhing",         {0.1498866f,   0.639999f,  0.27099,  0.564999, true,  true,  0.5,      0.0,      0.72}},
    {"Thick",              {0.184988f,    0.639999f,  0.745,    0.449999, true,  true,  0.5,      0.5,      1.0}},
    {"Thick2",             {0.074988f,    0.37f,      0.43,     0.67,     true,  true,  0.5,      0.0,      1.0}},
    {"Clicky",             {0.079977f,    0.639999f,  0.31,     0.855,    true,  true,  0.5,      1.0,      0.5}},
    {"Whisky Brawl",       {0.07498866f,  0.144999f,  0.14,     1.0,      true,  true,  0.56,     1.0,      1.0}},
    {"Repeat After Me",    {0.1799773f,   0.144999f,  1.0,      0.0,      false, true,  0.56,     0.264999, 1.0}},
    {"Slinky",             {0.1799773f,   0.814999f,  0.245,    0.754999, true,  true,  0.56,     0.519999, 0.634999}},
    {"RanchHand",          {0.2199773f,   0.264999f,  0.14,     0.555,    true,  true,  0.5,      0.245,    0.159999}},
    {"Bright",             {0.07498866f,  0.759999f,  0.23,     1.0,      true,  true,  0.519999, 0.769999, 1.0}},
    {"Glassy",             {0.1599773f,   0.759999f,  0.204999, 0.595,    true,  true,  0.519999, 0.425,    1.0}},
    {"Punk",               {0.19498865f,  0.529999f,  0.577,    0.0,      false, false, 0.5,      0.0,      0.67}},
}};
// clang-format on
