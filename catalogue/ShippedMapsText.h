#ifndef VEXARIFT_CATALOGUE_SHIPPEDMAPSTEXT_H
#define VEXARIFT_CATALOGUE_SHIPPEDMAPSTEXT_H

// The texts of assets/maps/catalogue.txt and assets/maps/daily.txt, built in
// from a source the build writes, so a tool or the page never has to find
// the files at run time.
extern const char *const SHIPPED_MAPS_TEXT;
extern const char *const DAILY_MAPS_TEXT;

#endif
