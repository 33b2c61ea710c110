/*
 * orvel.c: the body of every filter that orvelgen writes as C source.
 *
 * The generated NAME.c includes, in this order, NAME.h (CHARNUM, BAD,
 * BAD_CHAR, ORVEL_C and the message constants), NAME.tab (the conversion
 * array) and this file. Build a filter with
 *
 *     cc -I<directory of orvel.c> NAME.c -o NAME
 *
 * The filter copies standard input to standard output, one byte for every
 * byte: the byte's code in the table where that code is below 256, else
 * BAD_CHAR. It exits with 1 when it wrote BAD_CHAR for a byte, else 0, like
 * orvelcnv; with 2 when it is given arguments; with 3 when standard input
 * cannot be read and with 4 when standard output cannot be written.
 */
#include <stdio.h>

static void show_usage(const char *program)
{
    fprintf(stderr, "%s %s\n", PRGNAM, VERSION);
    fprintf(stderr, "from: %s\n", SRC_NAME);
    fprintf(stderr, "      %s\n      %s\n      %s\n", SRC_COMMENT1, SRC_COMMENT2, SRC_COMMENT3);
    fprintf(stderr, "to:   %s\n", DST_NAME);
    fprintf(stderr, "      %s\n      %s\n      %s\n", DST_COMMENT1, DST_COMMENT2, DST_COMMENT3);
    fprintf(stderr, "Syntax: %s <input >output\n", program);
}

/* The output byte for one input byte; sets *replaced when there is none. */
static int convert(int byte, int *replaced)
{
    unsigned int code = byte < CHARNUM ? ORVEL_C(byte) : BAD;

    if (code == BAD || code > 0xFF) {
        *replaced = 1;
        return BAD_CHAR;
    }
    return (int) code;
}

int main(int argc, char **argv)
{
    int replaced = 0;
    int byte;

    if (argc > 1) {
        show_usage(argv[0]);
        return 2;
    }
    while ((byte = getchar()) != EOF)
        putchar(convert(byte, &replaced));
    if (ferror(stdin)) {
        fprintf(stderr, "%s: unable to read standard input\n", PRGNAM);
        return 3;
    }
    if (fflush(stdout) != 0 || ferror(stdout)) {
        fprintf(stderr, "%s: unable to write standard output\n", PRGNAM);
        return 4;
    }
    return replaced;
}
