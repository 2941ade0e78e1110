/* Resource number of the scalable "Corvane" font carried in the program (the
   raster fonts' numbers are in resources/resource_ids.h). Read by C++ and by
   the resource compiler. */
#ifndef TAVIX_FONT_RESOURCES_H
#define TAVIX_FONT_RESOURCES_H
#ifndef IDF_CORVANE
#define IDF_CORVANE 109
#endif
#endif
