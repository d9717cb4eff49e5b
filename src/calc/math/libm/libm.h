/* What the functions of this folder (musl's, unchanged) take from musl's internal libm.h, for
 * doubles only; the build puts it before anything else in each of them (-include), so that
 * the C library's headers come first. Every function and table is then renamed with the
 * prefix tarvex_, so that none of them meets the C library's own (WebAssembly's C library is
 * musl: the same names inside). See README for why the calculator carries them. */
#ifndef TARVEX_LIBM_H
#define TARVEX_LIBM_H

#include <float.h>
#include <math.h>
#include <stdint.h>

#define sin tarvex_sin
#define cos tarvex_cos
#define tan tarvex_tan
#define asin tarvex_asin
#define acos tarvex_acos
#define atan tarvex_atan
#define exp tarvex_exp
#define expm1 tarvex_expm1
#define log tarvex_log
#define log1p tarvex_log1p
#define log10 tarvex_log10
#define pow tarvex_pow
#define sinh tarvex_sinh
#define cosh tarvex_cosh
#define tanh tarvex_tanh
#define asinh tarvex_asinh
#define acosh tarvex_acosh
#define atanh tarvex_atanh
#define __sin tarvex___sin
#define __cos tarvex___cos
#define __tan tarvex___tan
#define __rem_pio2 tarvex___rem_pio2
#define __rem_pio2_large tarvex___rem_pio2_large
#define __expo2 tarvex___expo2
#define __math_xflow tarvex___math_xflow
#define __math_oflow tarvex___math_oflow
#define __math_uflow tarvex___math_uflow
#define __math_invalid tarvex___math_invalid
#define __math_divzero tarvex___math_divzero
#define __exp_data tarvex___exp_data
#define __log_data tarvex___log_data
#define __pow_log_data tarvex___pow_log_data

#define hidden __attribute__((__visibility__("hidden")))

double sin(double);
double cos(double);
double tan(double);
double asin(double);
double acos(double);
double atan(double);
double exp(double);
double expm1(double);
double log(double);
double log1p(double);
double log10(double);
double pow(double, double);
double sinh(double);
double cosh(double);
double tanh(double);
double asinh(double);
double acosh(double);
double atanh(double);

/* Round to nearest only: the calculator never changes the rounding mode. */
#define WANT_ROUNDING 1
#define WANT_SNAN 0
#define issignaling_inline(x) 0
#define TOINT_INTRINSICS 0

#ifdef __GNUC__
#define predict_true(x) __builtin_expect(!!(x), 1)
#define predict_false(x) __builtin_expect(x, 0)
#else
#define predict_true(x) (x)
#define predict_false(x) (x)
#endif

static inline double eval_as_double(double x)
{
	double y = x;
	return y;
}

static inline double fp_barrier(double x)
{
	volatile double y = x;
	return y;
}

/* The floating-point flags are never read: nothing needs an expression evaluated for them. */
#define FORCE_EVAL(x) ((void)(x))
#define fp_force_eval(x) ((void)(x))

#define asuint64(f) ((union{double _f; uint64_t _i;}){f})._i
#define asdouble(i) ((union{uint64_t _i; double _f;}){i})._f

#define EXTRACT_WORDS(hi,lo,d)                    \
do {                                              \
  uint64_t __u = asuint64(d);                     \
  (hi) = __u >> 32;                               \
  (lo) = (uint32_t)__u;                           \
} while (0)

#define GET_HIGH_WORD(hi,d)                       \
do {                                              \
  (hi) = asuint64(d) >> 32;                       \
} while (0)

#define GET_LOW_WORD(lo,d)                        \
do {                                              \
  (lo) = (uint32_t)asuint64(d);                   \
} while (0)

#define INSERT_WORDS(d,hi,lo)                     \
do {                                              \
  (d) = asdouble(((uint64_t)(hi)<<32) | (uint32_t)(lo)); \
} while (0)

#define SET_HIGH_WORD(d,hi)                       \
  INSERT_WORDS(d, hi, (uint32_t)asuint64(d))

#define SET_LOW_WORD(d,lo)                        \
  INSERT_WORDS(d, asuint64(d)>>32, lo)

hidden int __rem_pio2_large(double*, double*, int, int, int);
hidden int __rem_pio2(double, double*);
hidden double __sin(double, double, int);
hidden double __cos(double, double);
hidden double __tan(double, double, int);
hidden double __expo2(double, double);

hidden double __math_xflow(uint32_t, double);
hidden double __math_uflow(uint32_t);
hidden double __math_oflow(uint32_t);
hidden double __math_divzero(uint32_t);
hidden double __math_invalid(double);

#endif
