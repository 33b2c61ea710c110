/******************************************************************************
 *                                                                            *
 * File:   demo    .c         Version  1.20            Date: 1997-07-27       *
 *                                                                            *
 ******************************************************************************
 *                                                                            *
 * Function:                                                                  *
 *                                                                            *
 * filter converting one 8-bit character code to another                      *
 *                                                                            *
 * Src: Demo                                                                  *
 *      Test code with unnamed and unknown bytes                              *
 *                                                                            *
 *      Byte 80 maps beyond 8 bits                                            *
 * Dst: ISO/IEC 10646 names, a small test list                                *
 *      Sorted by name in byte order                                          *
 *      Only the names the test codes use                                     *
 *      Codes in hexadecimal                                                  *
 *                                                                            *
 ******************************************************************************
 *                                                                            *
 * History:                                                                   *
 *     1997-07-27: orvelkit V1.20                                             *
 *        - initial generation                                                *
 *                                                                            *
 *****************************************************************************/

#include "demo.h"
#include "demo.tab"

#include "orvel.c"
