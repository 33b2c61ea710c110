/******************************************************************************
 *                                                                            *
 * File:   demo    .h         Version  1.20            Date: 1997-07-27       *
 *                                                                            *
 ******************************************************************************
 *                                                                            *
 * History:                                                                   *
 *     1997-07-27: orvelkit V1.20                                             *
 *        - initial generation                                                *
 *                                                                            *
 *****************************************************************************/

/******************************************************************************

	Program Constants

******************************************************************************/

#define	CHARNUM		256
#define	BAD		0xFFFE	/* the unconvertable character	*/
#define	BAD_CHAR	160

#define	ORVEL_C(a)	c_demo [a]

/******************************************************************************

	Program Message Constants

******************************************************************************/

#define	PRGNAM		"demo"
#define	VERSION		"V1.20 (1997-07-27)"

#define	SRC_NAME	"Demo"
#define	SRC_COMMENT1	"Test code with unnamed and unknown bytes"
#define	SRC_COMMENT2	""
#define	SRC_COMMENT3	"Byte 80 maps beyond 8 bits"
#define	DST_NAME	"ISO/IEC 10646 names, a small test list"
#define	DST_COMMENT1	"Sorted by name in byte order"
#define	DST_COMMENT2	"Only the names the test codes use"
#define	DST_COMMENT3	"Codes in hexadecimal"
