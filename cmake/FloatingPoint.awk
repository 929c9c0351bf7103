# Reads `objdump -d --no-show-raw-insn` of an archive or object and reports how it does its floating-point
# arithmetic: one line "x87 <object> <function> <instruction>" for each x87 arithmetic instruction (the
# first three of an object), and at the end "sse2 <count>" with the number of SSE2 instructions. Loads and
# stores of the x87 stack (fld, fstp, fild, fistp) are not arithmetic: the 32-bit calling convention
# returns floating-point values in st(0), and 64-bit integers convert through it.
BEGIN {
    x87 = "^f(i?(add|sub|subr|mul|div|divr)[slp]?|(add|sub|subr|mul|div|divr)p|sqrt|sin|cos|sincos|prem1?|scale|rndint|xtract|yl2x|yl2xp1|patan|ptan|2xm1|u?comi?p?[sl]?|u?compp|tst)$"
    sse2 = "^((add|sub|mul|div|sqrt|min|max)(sd|pd)|u?comisd|cvt[a-z0-9]*(sd|pd|dq)[a-z0-9]*|(and|andn|or|xor)pd|unpck[lh]pd|shufpd|mov(apd|upd|dqa|dqu|sd)|p(add|sub|and|andn|or|xor|cmp|mul|sll|srl|sra|unpck|shuf|max|min|avg|madd|sad|ack|movmsk|insr|extr)[a-z]*)$"
    count = 0
}
/file format/ {
    object = $1
    sub(/:$/, "", object)
    shown = 0
}
/^[0-9a-f]+ <.*>:$/ {
    function_name = $2
    gsub(/^<|>:$/, "", function_name)
}
/^ *[0-9a-f]+:\t/ {
    split($0, columns, "\t")
    split(columns[2], words, " ")
    mnemonic = words[1]
    if (mnemonic ~ x87 && shown < 3) {
        print "x87 " object " " function_name " " mnemonic
        shown++
    }
    if (mnemonic ~ sse2 && columns[2] ~ /%xmm/) count++
}
END { print "sse2 " count }
