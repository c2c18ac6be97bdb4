"""Walks the XML read from standard input with xml.etree and prints one line
per node the console's answer tree would show, in document order: the depth,
a tab, a no-break space and the element's local name, the text or the
comment. Elements named Signature are left out with everything inside them
(the text after one is kept); text holding only blanks, tabs and line
breaks is left out."""

import sys
import xml.etree.ElementTree as ET


def texto(nivel, valor, saida):
    if valor is not None and valor.strip(" \t\r\n"):
        saida.append(f"{nivel}\t\u00a0{valor}")


def percorre(elemento, nivel, saida):
    if elemento.tag is ET.Comment:
        saida.append(f"{nivel}\t\u00a0{elemento.text}")
        return
    saida.append(f"{nivel}\t\u00a0{elemento.tag.rsplit('}', 1)[-1]}")
    texto(nivel + 1, elemento.text, saida)
    for filho in elemento:
        if filho.tag is ET.Comment or filho.tag.rsplit("}", 1)[-1] != "Signature":
            percorre(filho, nivel + 1, saida)
        texto(nivel + 1, filho.tail, saida)


def main():
    leitor = ET.XMLParser(target=ET.TreeBuilder(insert_comments=True))
    leitor.feed(sys.stdin.buffer.read())
    saida = []
    percorre(leitor.close(), 0, saida)
    sys.stdout.buffer.write("".join(linha + "\n" for linha in saida).encode("utf-8"))


main()
